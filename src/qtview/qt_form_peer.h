#pragma once
// A form's window. The model places it (centring included) and decides when it shows; the
// user's closing asks the model's Close, a size or place the user gives goes back to the
// model, keys no control took go to the model's key handling, and the short cuts of the form's
// pop-up menus click their items.
#include <QShortcut>
#include <unordered_map>

#include "qtview/qt_peer.h"
#include "ui/form.h"
#include "ui/menus.h"

class TQtFormPeer : public TQtPeer {
 public:
  TQtFormPeer(TQtView& View, TCustomForm& Form) : TQtPeer(View, Form), FForm(Form) {}

  TCustomForm& Form() const { return FForm; }
  void Showing(bool Showing);
  // Follows the model's tab order among the form's focusable widgets.
  void SyncTabOrder();
  // One Qt short cut per menu item with a short cut, in the form's pop-up menus.
  void SyncShortCuts();
  // Item is going away.
  void DropShortCut(TMenuItem* Item);

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  void ApplyCaption() override;
  void ApplyBounds() override;
  void ApplyVisible() override {}
  bool Event(QObject* Watched, QEvent* E) override;

 private:
  void ApplyBorderStyle();
  void ApplyActiveControl();
  bool FixedSize() const;

  TCustomForm& FForm;
  std::unordered_map<TMenuItem*, QShortcut*> FShortCuts;
};
