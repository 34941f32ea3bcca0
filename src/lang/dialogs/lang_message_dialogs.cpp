// The translation component's message and input dialogs: built from the window model's
// controls, with their titles and button captions from DlgsCaptions in the active language.
#include <algorithm>

#include "core/restore.h"
#include "core/rtti.h"
#include "lang/custom_lang.h"
#include "lang/dialogs/lang_dialogs.h"
#include "lang/switch/prop_info_list.h"
#include "lang/table/translation_line.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/screen.h"

namespace {

// Sets a published ordinal property of a control that has it.
void SetControlOrdProp(TObject& Control, const String& PropName, int64_t Value) {
  const TlcPropInfoList List(&Control, AllButEventKinds);
  if (const TPropInfo* P = List.Find(PropName); P && P->SetOrd) P->SetOrd(Control, Value);
}

TSystemIcon IconOf(TMsgDlgType DlgType) {
  static constexpr TSystemIcon Icons[] = {siExclamation, siHand, siAsterisk, siQuestion};
  return DlgType < mtCustom ? Icons[DlgType] : siNone;
}

const char16_t* TitleKey(TMsgDlgType DlgType) {
  static const char16_t* const Keys[] = {u"Warning", u"Error", u"Information", u"Confirm"};
  return Keys[DlgType];
}

// Under right-to-left alignment a control stands as far from the right edge as it would from
// the left one.
void MirrorUnderRightToLeft(const TForm& Form, TControl& Control) {
  if (Form.UseRightToLeftAlignment())
    Control.SetLeft(Form.ClientWidth() - Control.Left() - Control.Width());
}

// The companion that carries the form's handlers; Ctrl+C goes to it before any control.
TMessageForm& AttachCompanion(TForm& Form) {
  auto* Companion = new TMessageForm(&Form);
  Companion->MessageForm = &Form;
  Form.SetKeyPreview(true);
  Form.OnKeyDown = TKeyEvent([Companion](TObject* Sender, uint16_t& Key, TShiftState Shift) {
    Companion->FormKeyDown(Sender, Key, Shift);
  });
  return *Companion;
}

// Centred on the active form's monitor, or the primary one; the monitor's origin counts, so a
// dialog over a form on a second monitor shows there.
void CentreOnActiveFormsMonitor(TForm& Form) {
  const TCustomForm* Active = Screen().ActiveForm();
  const TMonitor M = Active ? Screen().MonitorFromRect(Active->Left(), Active->Top(),
                                                       Active->Width(), Active->Height())
                            : Screen().PrimaryMonitor();
  Form.SetBounds(M.Left + M.Width / 2 - Form.Width() / 2, M.Top + M.Height / 2 - Form.Height() / 2,
                 Form.Width(), Form.Height());
}

template <class T>
T* NewControl(TForm& Form, const String& Name) {
  T* C = new T(&Form);
  if (!Name.empty()) C->SetName(Name);
  C->SetParent(&Form);
  return C;
}

}  // namespace

String TlcCustomLang::GetDlgButtonCaption(TMsgDlgBtn Button) const {
  return GetTextFrom(*FDlgsCaptions, ReplaceText(MsgDlgButtonName(Button), u"_", u" "), true,
                     false);
}

String TlcCustomLang::GetDlgButtonCaptionW(TMsgDlgBtn Button) const {
  return GetTextFromW(*FDlgsCaptions, ReplaceText(MsgDlgButtonName(Button), u"_", u" "), true);
}

String TlcCustomLang::GetDlgTitle(TMsgDlgType DlgType) const {
  if (DlgType >= mtCustom) return Application().Title();
  return GetTextFromW(*FDlgsCaptions, TitleKey(DlgType), true);
}

void TlcCustomLang::SetControlStrProp(TObject& Control, const String& PropName,
                                      const String& Text) {
  if (const TPropInfo* P = FindPublishedProp(&Control, PropName, StringKinds))
    SetTextProp(&Control, *P, Text);
}

TFontCharset TlcCustomLang::DialogCharset() const {
  if (const auto* F = dynamic_cast<const TCustomForm*>(Owner())) return F->Font()->Charset();
  if (FFontsInfoHolder)
    if (const auto* F = dynamic_cast<const TCustomForm*>(FFontsInfoHolder->Owner()))
      return F->Font()->Charset();
  return DEFAULT_CHARSET;
}

struct TlcCustomLang::TMessageLayout {
  int HorzMargin, VertMargin, HorzSpacing, VertSpacing;
  int ButtonWidth, ButtonHeight, ButtonSpacing;
  int GroupWidth;  // all buttons side by side
  TSystemIcon Icon;
  TSize TextRect;  // the message, wrapped within half the screen's width
  int IconTextWidth, IconTextHeight;
};

TlcCustomLang::TMessageLayout TlcCustomLang::MeasureMessageDialog(const TFont& Font,
                                                                  const String& Msg,
                                                                  TMsgDlgType DlgType,
                                                                  TMsgDlgButtons Buttons) const {
  const TSize Ave = GetAveCharSize(Font);
  TMessageLayout L{};
  L.HorzMargin = MulDiv(8, Ave.cx, 4);
  L.VertMargin = MulDiv(8, Ave.cy, 8);
  L.HorzSpacing = MulDiv(10, Ave.cx, 4);
  L.VertSpacing = MulDiv(10, Ave.cy, 8);
  L.ButtonWidth = MulDiv(50, Ave.cx, 4);
  int ButtonCount = 0;
  for (int B = mbYes; B <= mbClose; ++B) {
    if (!Buttons.Contains(static_cast<TMsgDlgBtn>(B))) continue;
    ++ButtonCount;
    const String Caption = GetDlgButtonCaption(static_cast<TMsgDlgBtn>(B));
    L.ButtonWidth = MaxOf(L.ButtonWidth, WindowSystem().TextExtent(Font, Caption).cx + 8);
  }
  L.ButtonHeight = MulDiv(14, Ave.cy, 8);
  L.ButtonSpacing = MulDiv(4, Ave.cx, 4);
  L.GroupWidth =
      ButtonCount == 0 ? 0 : ButtonCount * L.ButtonWidth + (ButtonCount - 1) * L.ButtonSpacing;

  L.Icon = IconOf(DlgType);
  L.TextRect = WindowSystem().WrappedTextExtent(Font, Msg, Screen().Width() / 2);
  L.IconTextWidth = L.TextRect.cx;
  L.IconTextHeight = L.TextRect.cy;
  if (L.Icon != siNone) {
    L.IconTextWidth += SystemIconSize + L.HorzSpacing;
    L.IconTextHeight = MaxOf(L.IconTextHeight, SystemIconSize);
  }
  return L;
}

void TlcCustomLang::AddIconAndMessage(TForm& Form, const String& Msg, const TMessageLayout& L) {
  if (L.Icon != siNone) {
    auto* Image = NewControl<TImage>(Form, u"Image");
    Image->SetIcon(L.Icon);
    Image->SetBounds(L.HorzMargin, L.VertMargin, SystemIconSize, SystemIconSize);
    MirrorUnderRightToLeft(Form, *Image);
  }
  auto* Message = NewControl<TLabel>(Form, u"Message");
  SetControlOrdProp(*Message, u"WordWrap", 1);
  SetControlOrdProp(*Message, u"Transparent", 1);
  SetControlOrdProp(*Message, u"Layout", tlCenter);
  SetControlStrProp(*Message, u"Caption", Msg);
  Message->SetBounds(L.IconTextWidth - L.TextRect.cx + L.HorzMargin, L.VertMargin, L.TextRect.cx,
                     MaxOf(L.TextRect.cy, L.IconTextHeight));
  MirrorUnderRightToLeft(Form, *Message);
}

void TlcCustomLang::AddMessageButtons(TForm& Form, TMessageForm& Companion, TMsgDlgButtons Buttons,
                                      TMsgDlgBtn DefaultBtn, TMsgDlgBtn CancelBtn,
                                      const TMessageLayout& L) {
  const TMsgDlgBtn Default = DefaultButtonOf(Buttons, DefaultBtn);
  const TMsgDlgBtn Cancel = CancelButtonOf(Buttons, CancelBtn);
  int X = (Form.ClientWidth() - L.GroupWidth) / 2;
  for (int I = mbYes; I <= mbClose; ++I) {
    const auto B = static_cast<TMsgDlgBtn>(I);
    if (!Buttons.Contains(B)) continue;
    auto* Button = NewControl<TButton>(Form, MsgDlgButtonName(B));
    SetControlStrProp(*Button, u"Caption", GetDlgButtonCaption(B));
    Button->SetModalResult(ModalResultOf(B));
    if (B == Default) {
      Button->SetDefault(true);
      Form.SetActiveControl(Button);
    }
    if (B == Cancel) Button->SetCancel(true);
    if (B == mbHelp)
      Button->OnClick =
          TNotifyEvent([C = &Companion](TObject* Sender) { C->HelpButtonClick(Sender); });
    Button->SetBounds(X, L.IconTextHeight + L.VertMargin + L.VertSpacing, L.ButtonWidth,
                      L.ButtonHeight);
    X += L.ButtonWidth + L.ButtonSpacing;
  }
}

TComponentPtr<TForm> TlcCustomLang::CreateMessageDialog(const String& Msg, TMsgDlgType DlgType,
                                                        TMsgDlgButtons Buttons,
                                                        TMsgDlgBtn DefaultBtn,
                                                        TMsgDlgBtn CancelBtn) {
  TComponentPtr<TForm> Form(new TForm(&Application()));
  Form->SetBiDiMode(Application().BiDiMode());
  Form->SetBorderStyle(bsDialog);
  Form->Font()->SetCharset(DialogCharset());
  Form->SetPosition(poDesigned);
  TMessageForm& Companion = AttachCompanion(*Form);

  const TMessageLayout L = MeasureMessageDialog(*Form->Font(), Msg, DlgType, Buttons);
  Form->SetClientWidth(MaxOf(L.IconTextWidth, L.GroupWidth) + 2 * L.HorzMargin);
  Form->SetClientHeight(L.IconTextHeight + L.ButtonHeight + L.VertSpacing + 2 * L.VertMargin);
  CentreOnActiveFormsMonitor(*Form);

  SetControlStrProp(*Form, u"Caption", GetDlgTitle(DlgType));
  AddIconAndMessage(*Form, Msg, L);
  AddMessageButtons(*Form, Companion, Buttons, DefaultBtn, CancelBtn, L);
  return Form;
}

TModalResult TlcCustomLang::MessageDlgPosHelp(const String& Msg, TMsgDlgType DlgType,
                                              TMsgDlgButtons Buttons, int HelpCtx, int X, int Y,
                                              const String& HelpFileName, TMsgDlgBtn DefaultBtn,
                                              TMsgDlgBtn CancelBtn) {
  if (FUseTaskMsgDlg && IsVistaOrLater() && InitTaskDialogIndirect())
    return DoTaskMessageDlg(String(), Msg, DlgType, Buttons, HelpCtx, X, Y, HelpFileName,
                            DefaultBtn);
  const TComponentPtr<TForm> Form =
      CreateMessageDialog(Msg, DlgType, Buttons, DefaultBtn, CancelBtn);
  Form->SetHelpContext(HelpCtx);
  Form->SetHelpFile(HelpFileName);
  if (X >= 0) Form->SetLeft(X);
  if (Y >= 0) Form->SetTop(Y);
  return Form->ShowModal();
}

TModalResult TlcCustomLang::MessageDlgPos(const String& Msg, TMsgDlgType DlgType,
                                          TMsgDlgButtons Buttons, int HelpCtx, int X, int Y,
                                          TMsgDlgBtn DefaultBtn, TMsgDlgBtn CancelBtn) {
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, X, Y, String(), DefaultBtn, CancelBtn);
}

TModalResult TlcCustomLang::MessageDlg(const String& Msg, TMsgDlgType DlgType,
                                       TMsgDlgButtons Buttons, int HelpCtx, TMsgDlgBtn DefaultBtn,
                                       TMsgDlgBtn CancelBtn) {
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, -1, -1, String(), DefaultBtn, CancelBtn);
}

TModalResult TlcCustomLang::TaskMessageDlg(const String& Title, const String& Msg,
                                           TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                           int HelpCtx) {
  if (IsVistaOrLater() && InitTaskDialogIndirect()) {
    const TMsgDlgBtn Default = Buttons.Contains(mbOK)    ? mbOK
                               : Buttons.Contains(mbYes) ? mbYes
                                                         : mbRetry;
    return DoTaskMessageDlg(Title, Msg, DlgType, Buttons, HelpCtx, -1, -1, String(), Default);
  }
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, -1, -1, String(), mbOK, mbCancel);
}

TModalResult TlcCustomLang::TaskMessageDlg(const String& Title, const String& Msg,
                                           TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                           TMsgDlgBtn DefaultBtn) {
  if (IsVistaOrLater() && InitTaskDialogIndirect())
    return DoTaskMessageDlg(Title, Msg, DlgType, Buttons, HelpCtx, -1, -1, String(), DefaultBtn);
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, -1, -1, String(), DefaultBtn, mbCancel);
}

TModalResult TlcCustomLang::DoTaskMessageDlg(const String& Title, const String& Msg,
                                             TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                             int HelpCtx, int X, int Y, const String& HelpFileName,
                                             TMsgDlgBtn DefaultBtn) {
  TTaskDialogConfig Config;
  Config.Parent = Screen().ActiveForm() ? Screen().ActiveForm() : Application().MainForm();
  Config.Flags = TDF_ALLOW_DIALOG_CANCELLATION;
  if (Application().UseRightToLeftReading()) Config.Flags |= TDF_RTL_LAYOUT;
  Config.MainIcon = TaskDialogIcon(DlgType);
  for (int I = mbYes; I <= mbClose; ++I) {
    const auto B = static_cast<TMsgDlgBtn>(I);
    if (Buttons.Contains(B))
      Config.Buttons.push_back({TaskDialogButtonId(B), GetDlgButtonCaptionW(B)});
  }
  Config.DefaultButton = ModalResultOf(DefaultBtn);
  Config.WindowTitle = GetDlgTitle(DlgType);
  Config.MainInstruction = Title;
  Config.Content = Msg;
  if (X >= 0 || Y >= 0 || HelpCtx != 0)
    Config.Callback = [Data = TTaskDialogCallbackData{HelpCtx, HelpFileName, Config.Parent, X, Y}](
                          TTaskDialogWindow& Window, unsigned N, intptr_t WParam) {
      return TaskDialogCallback(Window, N, WParam, Data);
    };
  int Pressed = mrNone;
  CallTaskDialogIndirect(Config, &Pressed);
  return Pressed;
}

void TlcCustomLang::ShowMessagePos(const String& Msg, int X, int Y) {
  MessageDlgPos(Msg, mtCustom, {mbOK}, 0, X, Y, mbOK, mbCancel);
}

void TlcCustomLang::ShowMessage(const String& Msg) {
  ShowMessagePos(Msg, -1, -1);
}

void TlcCustomLang::ShowMessageFmt(const String& Msg, std::initializer_list<TVarRec> Args) {
  ShowMessage(Format(Msg, Args));
}

bool TlcCustomLang::InputQuery(const String& ACaption, const String& APrompt, String& Value,
                               char16_t APasswordChar) {
  const TComponentPtr<TForm> Form(new TForm(&Application()));
  const TFont& Font = *Form->Font();
  const TSize Ave = GetAveCharSize(Font);
  Form->SetBorderStyle(bsDialog);
  SetControlStrProp(*Form, u"Caption", ACaption);
  Form->SetPosition(poScreenCenter);

  const String OkCaption = GetDlgButtonCaption(mbOK);
  const String CancelCaption = GetDlgButtonCaption(mbCancel);
  const int ButtonWidth =
      MaxOf(MulDiv(50, Ave.cx, 4), MaxOf(WindowSystem().TextExtent(Font, OkCaption).cx + 8,
                                         WindowSystem().TextExtent(Font, CancelCaption).cx + 8));
  Form->SetClientWidth(2 * ButtonWidth + 36);
  const int Margin = MulDiv(8, Ave.cx, 4);
  const int PromptWidth = WindowSystem().WrappedTextExtent(Font, APrompt, Screen().Width() / 2).cx;
  if (2 * Margin + PromptWidth >= Form->ClientWidth())
    Form->SetClientWidth(2 * Margin + PromptWidth + 36);

  auto* Prompt = NewControl<TLabel>(*Form, String());
  SetControlStrProp(*Prompt, u"Caption", APrompt);
  SetControlOrdProp(*Prompt, u"WordWrap", 1);
  // The label takes the size of its text, wrapped within the width left beside its margins.
  const int PromptMax = Form->ClientWidth() - 2 * Margin;
  const TSize PromptSize = WindowSystem().WrappedTextExtent(Font, APrompt, PromptMax);
  Prompt->SetBounds(Margin, MulDiv(8, Ave.cy, 8), MaxOf(0, std::min(PromptSize.cx, PromptMax)),
                    PromptSize.cy);

  auto* Edit = NewControl<TEdit>(*Form, String());
  Edit->SetBounds(Prompt->Left(), Prompt->Top() + Prompt->Height() + 5,
                  Form->ClientWidth() - 2 * Prompt->Left(), Edit->Height());
  Edit->SetMaxLength(255);
  Edit->SetText(Value);
  Edit->SetPasswordChar(APasswordChar);
  Edit->SelectAll();

  const int ButtonTop = Edit->Top() + Edit->Height() + 15;
  const int ButtonHeight = MulDiv(14, Ave.cy, 8);
  auto* Ok = NewControl<TButton>(*Form, String());
  SetControlStrProp(*Ok, u"Caption", OkCaption);
  Ok->SetModalResult(mrOk);
  Ok->SetDefault(true);
  Ok->SetBounds(Form->ClientWidth() / 2 - ButtonWidth - 4, ButtonTop, ButtonWidth, ButtonHeight);
  auto* Cancel = NewControl<TButton>(*Form, String());
  SetControlStrProp(*Cancel, u"Caption", CancelCaption);
  Cancel->SetModalResult(mrCancel);
  Cancel->SetCancel(true);
  Cancel->SetBounds(Form->ClientWidth() / 2 + 4, ButtonTop, ButtonWidth, ButtonHeight);
  Form->SetClientHeight(Cancel->Top() + Cancel->Height() + 13);

  if (Form->ShowModal() != mrOk) return false;
  // The edit's text as it stands: no UTF-8 round trip for this read.
  const TRestore<bool> Raw(FStoreAsUTF8, false);
  Value = GetStringPropText(Edit, *FindPublishedProp(Edit, u"Text", StringKinds));
  return true;
}

String TlcCustomLang::InputBox(const String& ACaption, const String& APrompt,
                               const String& ADefault, char16_t APasswordChar) {
  String Value = ADefault;
  InputQuery(ACaption, APrompt, Value, APasswordChar);
  return Value;
}
