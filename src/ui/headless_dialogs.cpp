#include "ui/headless_dialogs.h"

THeadlessDialogs& HeadlessDialogs() {
  static THeadlessDialogs D;
  return D;
}

void THeadlessDialogs::Clear() {
  FScript.clear();
  FShown.clear();
}

bool THeadlessDialogs::TakeAnswer(TDialogAnswer& Answer) {
  if (FScript.empty()) return false;
  Answer = std::move(FScript.front());
  FScript.pop_front();
  return true;
}

TModalResult THeadlessDialogs::MessageDlg(const TMessageDlgParams& Params) {
  TShownDialog D;
  D.Kind = TDialogKind::Message;
  D.Title = Params.Title;
  D.Text = Params.Msg;
  D.DlgType = Params.DlgType;
  D.Buttons = Params.Buttons;
  D.DefaultBtn = Params.DefaultBtn;
  D.CancelBtn = Params.CancelBtn;
  D.HelpCtx = Params.HelpCtx;
  D.RightToLeftReading = Params.RightToLeftReading;
  TDialogAnswer A;
  D.Scripted = TakeAnswer(A);
  if (D.Scripted)
    D.Result = A.Result;
  else if (Params.Buttons.Contains(Params.DefaultBtn))
    D.Result = ModalResultOf(Params.DefaultBtn);
  else if (Params.Buttons.Contains(Params.CancelBtn))
    D.Result = ModalResultOf(Params.CancelBtn);
  else
    D.Result = mrCancel;
  FShown.push_back(D);
  return D.Result;
}

bool THeadlessDialogs::InputQuery(const String& ACaption, const String& APrompt, String& Value,
                                  char16_t APasswordChar) {
  TShownDialog D;
  D.Kind = TDialogKind::Input;
  D.Title = ACaption;
  D.Text = APrompt;
  D.Value = Value;
  D.PasswordChar = APasswordChar;
  TDialogAnswer A;
  D.Scripted = TakeAnswer(A);
  D.Result = D.Scripted && A.Result == mrOk ? mrOk : mrCancel;
  if (D.Result == mrOk) Value = A.Text;
  D.Answer = Value;
  FShown.push_back(D);
  return D.Result == mrOk;
}

bool THeadlessDialogs::ExecuteOpenDialog(TOpenDialog& Dialog) {
  TShownDialog D;
  D.Kind = TDialogKind::OpenFile;
  D.Title = Dialog.Title();
  D.Value = Dialog.FileName();
  D.Filter = Dialog.Filter();
  D.FilterIndex = Dialog.FilterIndex();
  D.DefaultExt = Dialog.DefaultExt();
  D.InitialDir = Dialog.InitialDir();
  D.Options = Dialog.Options();
  TDialogAnswer A;
  D.Scripted = TakeAnswer(A);
  D.Result = D.Scripted && A.Result == mrOk ? mrOk : mrCancel;
  if (D.Result == mrOk) Dialog.SetFileName(A.Text);
  D.Answer = Dialog.FileName();
  FShown.push_back(D);
  return D.Result == mrOk;
}
