#include "ui/dialogs.h"

#include <iterator>

#include "ui/application.h"
#include "ui/headless_dialogs.h"
#include "ui/msg_dlg_texts.h"

namespace {

TDialogProvider* GProvider = nullptr;

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn Button) {
  static constexpr TModalResult Results[] = {mrYes,     mrNo,       mrOk,     mrCancel,
                                             mrAbort,   mrRetry,    mrIgnore, mrAll,
                                             mrNoToAll, mrYesToAll, mrNone,   mrClose};
  return Button < std::size(Results) ? Results[Button] : mrNone;
}

TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn DefaultBtn) {
  if (DefaultBtn != mbOK) return DefaultBtn;
  if (Buttons.Contains(mbOK)) return mbOK;
  if (Buttons.Contains(mbYes)) return mbYes;
  return mbRetry;
}

TMsgDlgBtn CancelButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn CancelBtn) {
  if (CancelBtn != mbCancel) return CancelBtn;
  if (Buttons.Contains(mbCancel)) return mbCancel;
  if (Buttons.Contains(mbNo)) return mbNo;
  return mbOK;
}

String MsgDlgTitle(TMsgDlgType DlgType) {
  if (DlgType >= mtCustom) return Application().Title();
  return MsgDlgTexts()[DlgType];
}

TDialogProvider& DialogProvider() {
  return GProvider ? *GProvider : HeadlessDialogs();
}

void SetDialogProvider(TDialogProvider* Provider) {
  GProvider = Provider;
}

TModalResult MessageDlgPosHelp(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               int HelpCtx, int X, int Y, const String& HelpFileName,
                               TMsgDlgBtn DefaultBtn, TMsgDlgBtn CancelBtn) {
  TMessageDlgParams P;
  P.Title = MsgDlgTitle(DlgType);
  P.Msg = Msg;
  P.DlgType = DlgType;
  P.Buttons = Buttons;
  P.HelpCtx = HelpCtx;
  P.X = X;
  P.Y = Y;
  P.HelpFileName = HelpFileName;
  P.DefaultBtn = DefaultButtonOf(Buttons, DefaultBtn);
  P.CancelBtn = CancelButtonOf(Buttons, CancelBtn);
  return DialogProvider().MessageDlg(P);
}

TModalResult MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                           int HelpCtx, int X, int Y, TMsgDlgBtn DefaultBtn, TMsgDlgBtn CancelBtn) {
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, X, Y, String(), DefaultBtn, CancelBtn);
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                        TMsgDlgBtn DefaultBtn, TMsgDlgBtn CancelBtn) {
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, -1, -1, String(), DefaultBtn, CancelBtn);
}

void ShowMessage(const String& Msg) {
  MessageDlg(Msg, mtCustom, {mbOK}, 0);
}

bool InputQuery(const String& ACaption, const String& APrompt, String& Value,
                char16_t APasswordChar) {
  return DialogProvider().InputQuery(ACaption, APrompt, Value, APasswordChar);
}

String InputBox(const String& ACaption, const String& APrompt, const String& ADefault,
                char16_t APasswordChar) {
  String Value = ADefault;
  InputQuery(ACaption, APrompt, Value, APasswordChar);
  return Value;
}
