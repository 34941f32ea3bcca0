#include "ui/application.h"

#include <algorithm>

#include "core/exceptions.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/register_controls.h"
#include "ui/screen.h"
#include "ui/ui_res_strings.h"

namespace {

String ExceptionText(const std::exception& E) {
  if (const auto* Own = dynamic_cast<const Exception*>(&E)) return Own->Message();
  return FromUtf8(E.what());
}

}  // namespace

void THeadlessDriver::ProcessMessages(TApplication& App) {
  while (App.DeliverNext()) {
  }
}

void THeadlessDriver::Run(TApplication& App) {
  while (!App.Terminated() && App.DeliverNext()) {
  }
}

void THeadlessDriver::RunModal(TApplication& App, TCustomForm& Form) {
  while (Form.ModalResult() == mrNone)
    if (App.Terminated() || !Form.Visible() || !App.DeliverNext()) Form.SetModalResult(mrCancel);
}

const TClassType& TApplication::StaticClassType() {
  static const TClassType T(u"TApplication", &TComponent::StaticClassType());
  return T;
}

TApplication::TApplication() : TComponent(nullptr) {
  // The screen outlives the application, whose forms tell it when they go.
  Screen();
}

TApplication::~TApplication() {
  FQueue.clear();
  FDriver = nullptr;
  // Free the forms while this object can still hear of them.
  BeforeDestruction();
}

void TApplication::Initialize() {
  RegisterControlClasses();
}

void TApplication::SetMainForm(TCustomForm* Value) {
  FMainForm = Value;
  if (Value) Value->FreeNotification(this);
}

void TApplication::Run() {
  if (FMainForm && !FMainForm->Visible()) FMainForm->Show();
  Driver().Run(*this);
}

void TApplication::ProcessMessages() {
  Driver().ProcessMessages(*this);
}

void TApplication::PrepareForms() {
  Driver().PrepareForms(*this);
}

void TApplication::HelpContext(int Context) {
  if (!HelpViewer) throw Exception(SNoHelpViewer);
  const TCustomForm* Active = Screen().ActiveForm();
  HelpViewer(Active && !Active->HelpFile().empty() ? Active->HelpFile() : FHelpFile, Context);
}

void TApplication::HandleException(const std::exception& E) {
  String Msg = ExceptionText(E);
  if (!Msg.empty() && Msg.back() > u'.') Msg += u'.';
  TMessageDlgParams P;
  P.Title = FTitle;
  P.Msg = Msg;
  P.DlgType = mtError;
  P.Buttons = {mbOK};
  DialogProvider().MessageDlg(P);
}

void TApplication::Post(TComponent* Target, std::function<void()> Deliver) {
  if (Target) Target->FreeNotification(this);
  FQueue.push_back({Target, std::move(Deliver)});
}

void TApplication::PostClick(TControl* Control) {
  if (!Control) return;
  Post(Control, [this, Control] {
    if (!AcceptsInput(*Control)) return;
    // A click gives a windowed control the focus first, as a mouse press does.
    if (auto* W = dynamic_cast<TWinControl*>(Control); W && W->CanFocus()) W->SetFocus();
    Control->Click();
  });
}

void TApplication::PostDblClick(TControl* Control) {
  if (!Control) return;
  Post(Control, [this, Control] {
    if (!AcceptsInput(*Control)) return;
    if (auto* W = dynamic_cast<TWinControl*>(Control); W && W->CanFocus()) W->SetFocus();
    Control->DblClick();
  });
}

void TApplication::PostKey(TCustomForm* Form, uint16_t Key, TShiftState Shift) {
  if (!Form) return;
  Post(Form, [this, Form, Key, Shift] {
    if (!AcceptsInput(*Form)) return;
    uint16_t K = Key;
    Form->KeyDown(K, Shift);
  });
}

void TApplication::PostMenuClick(TMenuItem* Item) {
  if (!Item) return;
  Post(Item, [this, Item] {
    if (!Item->IsShowingEnabled()) return;
    const TPopupMenu* Menu = Item->Menu();
    const auto* Form = Menu ? dynamic_cast<const TCustomForm*>(Menu->Owner()) : nullptr;
    if (Form && !AcceptsInput(*Form)) return;
    Item->Click();
  });
}

void TApplication::PostCall(std::function<void()> Call) {
  if (Call) Post(nullptr, std::move(Call));
}

void TApplication::PostRelease(TCustomForm* Form) {
  if (!Form) return;
  Post(Form, [Form] { TComponentDeleter()(Form); });
}

bool TApplication::DeliverNext() {
  if (FQueue.empty()) return false;
  // Taken off the queue first: the handler may process messages itself.
  const TPosted Event = std::move(FQueue.front());
  FQueue.pop_front();
  try {
    Event.Deliver();
  } catch (const std::exception& E) {
    HandleException(E);
  }
  return true;
}

bool TApplication::IsBlocked(const TCustomForm& Form) const {
  return !FModalForms.empty() && FModalForms.back() != &Form;
}

bool TApplication::AcceptsInput(const TControl& Control) const {
  const TCustomForm* Form = Control.ParentForm();
  return Form && Control.IsShowingEnabled() && !IsBlocked(*Form);
}

void TApplication::BeginModal(TCustomForm& Form) {
  Form.FreeNotification(this);
  FModalForms.push_back(&Form);
}

void TApplication::EndModal(TCustomForm& Form) {
  std::erase(FModalForms, &Form);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent) return;
  std::erase_if(FQueue, [AComponent](const TPosted& P) { return P.Target == AComponent; });
  if (AComponent == FMainForm) FMainForm = nullptr;
  std::erase(FModalForms, AComponent);
}

TApplication& Application() {
  static TApplication A;
  return A;
}
