#pragma once
// The dialog provider of a program without a screen: it answers each dialog with the next
// answer of a script that a test sets, and records every dialog it was asked to show. With no
// answer left, a message dialog gets its default button (else its cancel button, else
// mrCancel) and the input and file dialogs are cancelled.
#include <deque>
#include <vector>

#include "core/ustring.h"
#include "ui/dialogs.h"
#include "ui/open_dialog.h"

enum class TDialogKind { Message, Input, OpenFile };

// The button pressed (its modal result); for the input and file dialogs mrOk with the text
// entered or the file chosen, or mrCancel.
struct TDialogAnswer {
  TModalResult Result = mrOk;
  String Text;

  static TDialogAnswer Button(TModalResult Result) { return {Result, String()}; }
  static TDialogAnswer Input(String Text) { return {mrOk, std::move(Text)}; }
  static TDialogAnswer File(String Name) { return {mrOk, std::move(Name)}; }
  static TDialogAnswer Cancel() { return {mrCancel, String()}; }
};

struct TShownDialog {
  TDialogKind Kind = TDialogKind::Message;
  String Title;  // the window title, the input box's caption, the file dialog's title
  String Text;   // the message, or the input box's prompt
  // Message dialogs.
  TMsgDlgType DlgType = mtCustom;
  TMsgDlgButtons Buttons;
  TMsgDlgBtn DefaultBtn = mbOK;
  TMsgDlgBtn CancelBtn = mbCancel;
  int HelpCtx = 0;
  bool RightToLeftReading = false;
  // The input box's text, or the file dialog's FileName, when it was shown.
  String Value;
  char16_t PasswordChar = 0;
  // File dialogs.
  String Filter;
  int FilterIndex = 1;
  String DefaultExt;
  String InitialDir;
  TOpenOptions Options = 0;
  // The outcome: whether it came from the script, the modal result (mrOk or mrCancel for the
  // input and file dialogs) and the text or file name handed back.
  bool Scripted = false;
  TModalResult Result = mrNone;
  String Answer;
};

class THeadlessDialogs : public TDialogProvider {
 public:
  void Push(TDialogAnswer Answer) { FScript.push_back(std::move(Answer)); }
  int PendingAnswers() const { return static_cast<int>(FScript.size()); }
  const std::vector<TShownDialog>& Shown() const { return FShown; }
  // Forgets the script and the record.
  void Clear();

  TModalResult MessageDlg(const TMessageDlgParams& Params) override;
  bool InputQuery(const String& ACaption, const String& APrompt, String& Value,
                  char16_t APasswordChar) override;
  bool ExecuteOpenDialog(TOpenDialog& Dialog) override;

 private:
  bool TakeAnswer(TDialogAnswer& Answer);

  std::deque<TDialogAnswer> FScript;
  std::vector<TShownDialog> FShown;
};

THeadlessDialogs& HeadlessDialogs();
