#pragma once
// A window of the window model with the controls, an action and a collection that the language
// switch and the entry maintenance act on, and a translation component with two languages.
#include "component/component.h"
#include "lang/custom_lang.h"
#include "lang_test_support.h"
#include "ui/action.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/panels.h"
#include "ui/status_bar.h"

struct TSwitchWindow {
  TSwitchWindow() : Form(new TForm(nullptr)) {
    Form->SetName(u"Window1");
    Form->SetCaption(u"Main");
    Panel = Add<TPanel>(u"Panel1", Form.get());
    Button = Add<TButton>(u"Button1", Panel);
    Button->SetCaption(u"Open");
    Button->SetHint(u"Opens");
    Label = Add<TLabel>(u"Label1", Panel);
    Label->SetCaption(u"Name");
    Memo = Add<TMemo>(u"Memo1", Form.get());
    Combo = Add<TComboBox>(u"Combo1", Panel);
    Bar = Add<TStatusBar>(u"Bar1", Form.get());
    Bar->Panels()->Add()->SetText(u"Ready");
    Action = new TAction(Form.get());
    Action->SetName(u"Action1");
    Action->SetCaption(u"Save");
    Lang = new TlcLang(Form.get());
    Lang->SetName(u"Lang1");
    Lang->SetNumOfLanguages(2);
  }

  template <class T>
  T* Add(const String& Name, TWinControl* Parent) {
    auto* C = new T(Form.get());
    C->SetName(Name);
    C->SetParent(Parent);
    return C;
  }

  TComponentPtr<TForm> Form;
  TPanel* Panel;
  TButton* Button;
  TLabel* Label;
  TMemo* Memo;
  TComboBox* Combo;
  TStatusBar* Bar;
  TAction* Action;
  TlcLang* Lang;
};
