#pragma once
// The pieces of the translation component's message and input dialogs that stand apart from
// the component: the message form's companion, which copies the dialog's text on Ctrl+C, the
// standard-caption test, the measures the layout is made of, and the way to the platform's task
// dialog.
#include "component/component.h"
#include "core/exceptions.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/task_dialog.h"
#include "ui/window_system.h"

// Owned by a message form; carries the form's key handler.
class TMessageForm : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TComponent::TComponent;

  TCustomForm* MessageForm = nullptr;

  // Ctrl+C (and no other shift key): a beep, then the dialog's text to the clipboard.
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  // The Help button: the application's help for the form's HelpContext.
  void HelpButtonClick(TObject* Sender);
  // Seven lines between CR LF: a rule of 27 "-", the title, the rule, the message, the rule,
  // every button's caption followed by a TAB, the rule.
  String GetDialogText() const;
  // Nothing is copied when another program holds the clipboard.
  static void CopyToClipboard(const String& Text);
};

// False when Text is one of the 15 standard dialog captions with its "&" taken out ("N&o To
// All" counts as the words without the "&"); True otherwise.
bool IsNotStdDlgCaption(const String& Text);

// The average width of the letters A to Z and a to z in Font, and its line height.
TSize GetAveCharSize(const TFont& Font);
int MaxOf(int A, int B);

// The component name of a message dialog's button: "Yes" ... "No_To_All", "Yes_To_All" ...
String MsgDlgButtonName(TMsgDlgBtn Button);
// The task dialog's id of a button: its modal result, -1 for Help.
int TaskDialogButtonId(TMsgDlgBtn Button);
// The task dialog's main icon for a type; 0 for mtCustom.
int TaskDialogIcon(TMsgDlgType DlgType);

// Whether the window system is of version 6 or later.
bool IsVistaOrLater();
// Whether the platform's task dialog is known, or can now be found; once found it is kept.
bool InitTaskDialogIndirect();
// Shows a task dialog through the entry point found; E_NOTIMPL when there is none.
HRESULT CallTaskDialogIndirect(const TTaskDialogConfig& Config, int* PressedButton);
// What a task dialog's callback is given.
struct TTaskDialogCallbackData {
  int HelpCtx = 0;
  String HelpFileName;
  const TCustomForm* Parent = nullptr;
  int X = -1, Y = -1;
};
// The task dialog's callback: centres it (or puts it at X, Y) on the monitor of Parent when it
// is created; its Help button and the help key show the help, and the dialog stays open.
HRESULT TaskDialogCallback(TTaskDialogWindow& Window, unsigned Notification, intptr_t WParam,
                           const TTaskDialogCallbackData& Data);
// The application's help for HelpCtx, from HelpFileName when one is given (the application's
// help file is put back afterwards); a help error is shown in an error box.
void RunTaskDialogHelp(int HelpCtx, const String& HelpFileName);
// The error box of a failed help: the message with a full stop, the application's title.
void ShowHelpErrorBox(const Exception& E);
