#pragma once
// The class library's standard dialogs: message dialogs, the input box and the open-file
// dialog, all shown through one swappable provider. Without one installed the headless
// provider (headless_dialogs.h) answers them.
#include <cstdint>
#include <initializer_list>

#include "core/ustring.h"
#include "ui/control_types.h"

class TOpenDialog;

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp,
  mbClose
};

// A set of buttons, written as the class library writes it: {mbYes, mbNo}.
class TMsgDlgButtons {
 public:
  constexpr TMsgDlgButtons() = default;
  constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> Buttons) {
    for (TMsgDlgBtn B : Buttons) FBits |= 1u << B;
  }
  constexpr bool Contains(TMsgDlgBtn B) const { return (FBits >> B) & 1u; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr uint32_t Bits() const { return FBits; }
  friend constexpr bool operator==(TMsgDlgButtons, TMsgDlgButtons) = default;

 private:
  uint32_t FBits = 0;
};

// The modal result a button gives: mbYes 6, mbNo 7, mbOK 1, mbCancel 2, mbAbort 3, mbRetry 4,
// mbIgnore 5, mbAll 8, mbNoToAll 9, mbYesToAll 10, mbHelp 0, mbClose 11.
TModalResult ModalResultOf(TMsgDlgBtn Button);
// The default button: DefaultBtn when it is not mbOK, else mbOK if present, else mbYes if
// present, else mbRetry. The cancel button: CancelBtn when it is not mbCancel, else mbCancel
// if present, else mbNo if present, else mbOK. The button named need not be in Buttons, and
// then no button is the default (or the cancel) one.
TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn DefaultBtn = mbOK);
TMsgDlgBtn CancelButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn CancelBtn = mbCancel);
// The window title: the class library's text for the type, the application's title for
// mtCustom.
String MsgDlgTitle(TMsgDlgType DlgType);

struct TMessageDlgParams {
  String Title;
  String Msg;
  TMsgDlgType DlgType = mtInformation;
  TMsgDlgButtons Buttons;
  int HelpCtx = 0;
  int X = -1, Y = -1;  // -1: centred on the screen
  String HelpFileName;
  TMsgDlgBtn DefaultBtn = mbOK;     // resolved by DefaultButtonOf
  TMsgDlgBtn CancelBtn = mbCancel;  // resolved by CancelButtonOf
  bool RightToLeftReading = false;
};

class TDialogProvider {
 public:
  virtual ~TDialogProvider() = default;
  // The modal result of the button pressed.
  virtual TModalResult MessageDlg(const TMessageDlgParams& Params) = 0;
  // True, with Value replaced, when the user confirms; Value stays as it was otherwise.
  virtual bool InputQuery(const String& ACaption, const String& APrompt, String& Value,
                          char16_t APasswordChar) = 0;
  // True, with the dialog's FileName set, when the user picks a file.
  virtual bool ExecuteOpenDialog(TOpenDialog& Dialog) = 0;
};

TDialogProvider& DialogProvider();
// Not owned; null puts the headless provider back.
void SetDialogProvider(TDialogProvider* Provider);

TModalResult MessageDlgPosHelp(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               int HelpCtx, int X, int Y, const String& HelpFileName,
                               TMsgDlgBtn DefaultBtn = mbOK, TMsgDlgBtn CancelBtn = mbCancel);
TModalResult MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                           int HelpCtx, int X, int Y, TMsgDlgBtn DefaultBtn = mbOK,
                           TMsgDlgBtn CancelBtn = mbCancel);
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                        TMsgDlgBtn DefaultBtn = mbOK, TMsgDlgBtn CancelBtn = mbCancel);
// A message dialog of type mtCustom with an OK button.
void ShowMessage(const String& Msg);
bool InputQuery(const String& ACaption, const String& APrompt, String& Value,
                char16_t APasswordChar = 0);
// The entered text after OK, ADefault after Cancel.
String InputBox(const String& ACaption, const String& APrompt, const String& ADefault,
                char16_t APasswordChar = 0);
