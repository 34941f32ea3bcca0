#include "ui/register_controls.h"

#include "component/class_registry.h"
#include "ui/action.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/menus.h"
#include "ui/open_dialog.h"
#include "ui/panels.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

void RegisterControlClasses() {
  RegisterClasses(
      {&TForm::StaticClassType(), &TPanel::StaticClassType(), &TGroupBox::StaticClassType(),
       &TSpinEdit::StaticClassType(), &TSpeedButton::StaticClassType(), &TButton::StaticClassType(),
       &TMemo::StaticClassType(), &TComboBox::StaticClassType(), &TStatusBar::StaticClassType(),
       &TPopupMenu::StaticClassType(), &TMenuItem::StaticClassType(), &TLabel::StaticClassType(),
       &TEdit::StaticClassType(), &TOpenDialog::StaticClassType(), &TAction::StaticClassType()});
}
