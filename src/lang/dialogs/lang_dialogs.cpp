#include "lang/dialogs/lang_dialogs.h"

#include "core/scope_exit.h"
#include "lang/lang_types.h"
#include "lang/switch/prop_info_list.h"
#include "lang/table/translation_line.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/screen.h"

const TClassType& TMessageForm::StaticClassType() {
  static const TClassType T(u"TMessageForm", &TComponent::StaticClassType());
  return T;
}

void TMessageForm::FormKeyDown(TObject* /*Sender*/, uint16_t& Key, TShiftState Shift) {
  if (Shift != ShiftState({ssCtrl}) || Key != u'C') return;
  WindowSystem().Beep();
  CopyToClipboard(GetDialogText());
}

void TMessageForm::HelpButtonClick(TObject* /*Sender*/) {
  if (!MessageForm) return;
  if (const TPropInfo* P = FindPublishedProp(MessageForm, u"HelpContext", AllButEventKinds);
      P && P->GetOrd)
    Application().HelpContext(static_cast<int>(P->GetOrd(*MessageForm)));
}

String TMessageForm::GetDialogText() const {
  if (!MessageForm) return {};
  String Buttons;
  for (int I = 0; I < MessageForm->ComponentCount(); ++I)
    if (const auto* B = dynamic_cast<const TButton*>(MessageForm->Components(I)))
      Buttons += B->Caption() + u'\t';
  const TComponent* Message = MessageForm->FindComponent(u"Message");
  const auto* Label = dynamic_cast<const TControl*>(Message);
  return Format(u"%0:s\r\n%1:s\r\n%0:s\r\n%2:s\r\n%0:s\r\n%3:s\r\n%0:s",
                {StringOfChar(u'-', 27), MessageForm->Caption(),
                 Label ? Label->Caption() : String(), Buttons});
}

void TMessageForm::CopyToClipboard(const String& Text) {
  WindowSystem().SetClipboardText(Text);
}

bool IsNotStdDlgCaption(const String& Text) {
  for (size_t I = 0; I < 15; ++I)
    if (ReplaceText(DlgCaptionTexts[I], u"&", u"") == Text) return false;
  return true;
}

TSize GetAveCharSize(const TFont& Font) {
  const TSize Extent =
      WindowSystem().TextExtent(Font, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return {Extent.cx / 52, Extent.cy};
}

int MaxOf(int A, int B) {
  return A > B ? A : B;
}

String MsgDlgButtonName(TMsgDlgBtn Button) {
  static const char16_t* const Names[] = {u"Yes",       u"No",         u"OK",     u"Cancel",
                                          u"Abort",     u"Retry",      u"Ignore", u"All",
                                          u"No_To_All", u"Yes_To_All", u"Help",   u"Close"};
  return Button <= mbClose ? Names[Button] : u"";
}

int TaskDialogButtonId(TMsgDlgBtn Button) {
  return Button == mbHelp ? -1 : ModalResultOf(Button);
}

int TaskDialogIcon(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning:
      return TD_WARNING_ICON;
    case mtError:
      return TD_ERROR_ICON;
    case mtInformation:
    case mtConfirmation:
      return TD_INFORMATION_ICON;
    default:
      return 0;
  }
}

bool IsVistaOrLater() {
  return TaskDialogPlatform().MajorVersion() > 5;
}

bool InitTaskDialogIndirect() {
  return TaskDialogPlatform().TaskDialogIndirect() != nullptr;
}

HRESULT CallTaskDialogIndirect(const TTaskDialogConfig& Config, int* PressedButton) {
  const TTaskDialogIndirectProc* Proc = TaskDialogPlatform().TaskDialogIndirect();
  return Proc ? (*Proc)(Config, PressedButton) : E_NOTIMPL;
}

HRESULT TaskDialogCallback(TTaskDialogWindow& Window, unsigned Notification, intptr_t WParam,
                           const TTaskDialogCallbackData& Data) {
  const TCustomForm* Parent = Data.Parent;
  int X = Data.X, Y = Data.Y;
  switch (Notification) {
    case TDN_CREATED: {
      const TMonitor M = Parent ? Screen().MonitorFromRect(Parent->Left(), Parent->Top(),
                                                           Parent->Width(), Parent->Height())
                                : Screen().PrimaryMonitor();
      if (X < 0) X = (M.Width - Window.Width()) / 2;
      if (Y < 0) Y = (M.Height - Window.Height()) / 2;
      Window.MoveTo(M.Left + X, M.Top + Y);
      return S_OK;
    }
    case TDN_BUTTON_CLICKED:
      if (WParam != TaskDialogButtonId(mbHelp)) return S_OK;
      RunTaskDialogHelp(Data.HelpCtx, Data.HelpFileName);
      return S_FALSE;  // the Help button does not close the dialog
    case TDN_HELP:
      RunTaskDialogHelp(Data.HelpCtx, Data.HelpFileName);
      return S_OK;
    default:
      return S_OK;
  }
}

void RunTaskDialogHelp(int HelpCtx, const String& HelpFileName) {
  TApplication& App = Application();
  const TScopeExit Restore([&App, Saved = App.HelpFile()] { App.SetHelpFile(Saved); });
  if (!HelpFileName.empty()) App.SetHelpFile(HelpFileName);
  try {
    App.HelpContext(HelpCtx);
  } catch (const Exception& E) {
    ShowHelpErrorBox(E);
  }
}

void ShowHelpErrorBox(const Exception& E) {
  TMessageDlgParams P;
  P.Msg = E.Message();
  if (!P.Msg.empty() && P.Msg.back() != u'.') P.Msg += u'.';
  P.Title = Application().Title();
  P.DlgType = mtError;
  P.Buttons = {mbOK};
  P.RightToLeftReading = Application().UseRightToLeftReading();
  DialogProvider().MessageDlg(P);
}
