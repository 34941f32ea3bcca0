#pragma once
// Controls that hold other controls and can take the focus. Aligned children are laid out in
// the client area: alTop ones stacked from the top, alBottom from the bottom, then alLeft and
// alRight, and alClient fills what is left; hidden children take no room.
#include <functional>
#include <vector>

#include "ui/control.h"

class TWinControl : public TControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TWinControl(TComponent* AOwner);
  // Frees the child controls too, whoever owns them.
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const;  // EListError outside 0..ControlCount-1
  // True for a child, a child's child and so on.
  bool ContainsControl(const TControl* Control) const;

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value);

  // Visible and enabled up to its form, and the form is showing.
  bool CanFocus() const override;
  // Makes the control its form's active control; EInvalidOperation when it cannot focus.
  void SetFocus();
  // The active control of the screen's active form.
  bool Focused() const;

  // Lays the aligned children out again (nothing while loading; FinishLoading does it).
  void Realign();

  // Writes the child controls that Root owns, in their order.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 protected:
  void FinishLoading() override;
  void Resized() override { Realign(); }
  void FontChanged() override;
  void BiDiModeChanged() override;

 private:
  friend class TControl;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void AlignControls();

  std::vector<TControl*> FControls;
  int FTabOrder = 0;
  bool FAligning = false;
  bool FFreeingControls = false;
};
