#pragma once
// The root of the window model's controls: position inside the parent, caption, visibility,
// enabling, font (inherited from the parent while ParentFont is set), colour, alignment and the
// pop-up menu. Every change of a property calls OnPropertyChanged, so a view can mirror it.
#include <memory>

#include "component/component.h"
#include "core/event.h"
#include "core/rtti.h"
#include "core/ustring.h"
#include "ui/control_types.h"
#include "ui/font.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TAction;

class TControl : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // The container the control lies in. Setting it to the control itself or to one of its own
  // children raises EInvalidOperation.
  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* Value);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  // The form at the top of the parent chain (the control itself for a form); null when the
  // chain does not end in a form.
  TCustomForm* ParentForm() const;

  int Left() const { return FLeft; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // The area children are laid out in; the model has no borders, so it is the whole control.
  int ClientWidth() const { return FWidth; }
  int ClientHeight() const { return FHeight; }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Visible and enabled, and so is every parent up to the top of the chain.
  bool IsShowingEnabled() const;

  TFont* Font() const { return FFont.get(); }
  // Takes over the values of another font; the control keeps its own font object.
  void SetFont(TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  // A control takes its parent's mode until it is given one of its own.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }

  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  // Linking an action gives the control the action's caption and hint.
  TAction* Action() const { return FAction; }
  void SetAction(TAction* Value);

  // Only windowed controls can take the focus.
  virtual bool CanFocus() const { return false; }

  // Fire OnClick (or, without a handler, the action) / OnDblClick, whatever the control's state
  // (a user's click that reaches a hidden or disabled control is dropped by the application
  // before it gets here).
  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TPropertyChangedEvent OnPropertyChanged;

 protected:
  void Changed(const String& PropName);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual TColor DefaultColor() const { return clBtnFace; }
  virtual TAlign DefaultAlign() const { return alNone; }
  virtual bool DefaultVisible() const { return true; }
  virtual bool DefaultParentFont() const { return true; }
  virtual bool SizeStored() const { return true; }
  // After the size changed (containers lay out their children again).
  virtual void Resized() {}
  // After Visible changed.
  virtual void VisibleChanged();
  // After the font changed, by any route.
  virtual void FontChanged() {}
  // After BiDiMode changed, by any route.
  virtual void BiDiModeChanged() {}
  // Tells the form that its active control may have become hidden, disabled or gone.
  void CheckFormActiveControl() const;

  // For constructors of classes whose defaults differ.
  void InitColor(TColor Value) { FColor = Value; }
  void InitAlign(TAlign Value) { FAlign = Value; }
  void InitVisible(bool Value) { FVisible = Value; }
  void InitParentFont(bool Value) { FParentFont = Value; }
  void InitSize(int AWidth, int AHeight) {
    FWidth = AWidth;
    FHeight = AHeight;
  }

 private:
  friend class TWinControl;
  void FontChange();
  void SyncParentFont();
  void SyncParentBiDiMode();
  bool ColorStored() const { return FColor != DefaultColor(); }
  bool AlignStored() const { return FAlign != DefaultAlign(); }
  bool VisibleStored() const { return FVisible != DefaultVisible(); }
  bool FontStored() const { return !FParentFont; }
  bool ParentFontStored() const { return FParentFont != DefaultParentFont(); }
  bool IsSizeStored() const { return SizeStored(); }

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  String FCaption;
  String FHint;
  bool FVisible = true;
  bool FEnabled = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FTakingParentFont = false;
  TColor FColor = clBtnFace;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  bool FTakingParentBiDiMode = false;
  TPopupMenu* FPopupMenu = nullptr;
  TAction* FAction = nullptr;
};
