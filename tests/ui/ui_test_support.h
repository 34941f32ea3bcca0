#pragma once
// A fixture that leaves the application and the dialog script as it found them, and a form
// class with published handlers and fields, as a program's main window has.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component/class_registry.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/headless_dialogs.h"
#include "ui/memo.h"
#include "ui/menus.h"
#include "ui/panels.h"
#include "ui/screen.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

class TUiTestForm : public TForm {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TUiTestForm", &TForm::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TUiTestForm(dynamic_cast<TComponent*>(Owner));
      };
      TPropsOf<TUiTestForm>(C)
          .Method(u"FormCreate", &TUiTestForm::FormCreate)
          .Method(u"FormClose", &TUiTestForm::FormClose)
          .Method(u"Button1Click", &TUiTestForm::Button1Click)
          .Method(u"Item1Click", &TUiTestForm::Item1Click)
          .Field(u"Panel1", &TUiTestForm::Panel1)
          .Field(u"Button1", &TUiTestForm::Button1)
          .Field(u"Spin1", &TUiTestForm::Spin1)
          .Field(u"Memo1", &TUiTestForm::Memo1)
          .Field(u"Bar1", &TUiTestForm::Bar1)
          .Field(u"Popup1", &TUiTestForm::Popup1)
          .Field(u"Item1", &TUiTestForm::Item1);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TUiTestForm(TComponent* AOwner) : TForm(AOwner) {}

  void FormCreate(TObject*) {
    ++CreateCount;
    StillLoading = 0;
    for (int I = 0; I < ComponentCount(); ++I) StillLoading += Components(I)->HasState(csLoading);
    MemoLinesAtCreate = Memo1 ? Memo1->Lines()->Count() : -1;
    MemoHeightAtCreate = Memo1 ? Memo1->Height() : -1;
  }
  void FormClose(TObject*, TCloseAction& Action) {
    ++CloseCount;
    Action = CloseAction;
  }
  void Button1Click(TObject* Sender) { Log.push_back(Sender == Button1 ? "Button1" : "other"); }
  void Item1Click(TObject*) { Log.push_back(Item1 && Item1->Checked() ? "Item1 on" : "Item1 off"); }

  TPanel* Panel1 = nullptr;
  TButton* Button1 = nullptr;
  TSpinEdit* Spin1 = nullptr;
  TMemo* Memo1 = nullptr;
  TStatusBar* Bar1 = nullptr;
  TPopupMenu* Popup1 = nullptr;
  TMenuItem* Item1 = nullptr;

  int CreateCount = 0;
  int StillLoading = -1;
  int MemoLinesAtCreate = -1;
  int MemoHeightAtCreate = -1;
  int CloseCount = 0;
  TCloseAction CloseAction = caHide;
  std::vector<std::string> Log;
};

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    RegisterClass(TUiTestForm::StaticClassType());
    Application().ClearTerminated();
    HeadlessDialogs().Clear();
  }
  void TearDown() override {
    Application().ProcessMessages();
    Application().ClearTerminated();
    HeadlessDialogs().Clear();
  }
};

// A control of class T owned by Owner, named, inside Parent.
template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const char16_t* Name) {
  T* C = new T(Owner);
  C->SetName(Name);
  if constexpr (std::is_base_of_v<TControl, T>) C->SetParent(Parent);
  return C;
}

// The main window's outline: a 408 x 616 client area with a panel along the top holding a
// button, a memo filling the middle and a status bar along the bottom.
inline TComponentPtr<TUiTestForm> MakeSmallForm() {
  TComponentPtr<TUiTestForm> F(new TUiTestForm(nullptr));
  F->SetName(u"fmSmall");
  F->SetClientWidth(408);
  F->SetClientHeight(616);
  F->Panel1 = Make<TPanel>(F.get(), F.get(), u"Panel1");
  F->Panel1->SetBounds(0, 0, 408, 193);
  F->Panel1->SetAlign(alTop);
  F->Button1 = Make<TButton>(F.get(), F->Panel1, u"Button1");
  F->Button1->SetBounds(202, 19, 33, 22);
  F->Spin1 = Make<TSpinEdit>(F.get(), F->Panel1, u"Spin1");
  F->Memo1 = Make<TMemo>(F.get(), F.get(), u"Memo1");
  F->Memo1->SetAlign(alClient);
  F->Bar1 = Make<TStatusBar>(F.get(), F.get(), u"Bar1");
  F->Bar1->SetHeight(17);
  F->Popup1 = Make<TPopupMenu>(F.get(), nullptr, u"Popup1");
  F->Item1 = Make<TMenuItem>(F.get(), nullptr, u"Item1");
  F->Popup1->Items()->Add(F->Item1);
  F->Panel1->SetPopupMenu(F->Popup1);
  return F;
}
