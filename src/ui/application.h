#pragma once
// The application: title, main form, the queue of posted input events and the message loops.
//
// Input reaches the model as posted events (a click on a control, a key on a form, a menu
// item's click, a call). They are delivered, in posting order, whenever something processes
// messages: ProcessMessages inside a long operation, Run, or a modal form's loop. A handler may
// itself process messages, so a second click reaches its handler while the first one runs. An
// event whose target is freed before delivery is dropped; a click on a control that is hidden
// or disabled (itself or a parent), or on a form that a modal form blocks, does nothing, as a
// click on such a window does nothing. An exception that escapes a handler is shown by
// HandleException and delivery goes on.
//
// A driver decides how messages are processed; the headless one delivers the queue, a toolkit's
// view installs its own that also pumps the toolkit's events.
#include <deque>
#include <exception>
#include <functional>

#include "component/component.h"
#include "core/ustring.h"
#include "ui/control_types.h"

class TApplication;
class TControl;
class TCustomForm;
class TMenuItem;

// Shows the topic Context of HelpFile; raises an Exception when it cannot.
using THelpViewer = std::function<void(const String& HelpFile, int Context)>;

class TApplicationDriver {
 public:
  virtual ~TApplicationDriver() = default;
  // Handles what is pending without waiting for more.
  virtual void ProcessMessages(TApplication& App) = 0;
  // Handles events until App is terminated.
  virtual void Run(TApplication& App) = 0;
  // Handles events until Form's ModalResult is set (or the form is hidden).
  virtual void RunModal(TApplication& App, TCustomForm& Form) = 0;
  // A form was shown or hidden.
  virtual void FormShowing(TCustomForm& /*Form*/, bool /*Showing*/) {}
  // Does ahead what the forms' first showing would do, without showing them.
  virtual void PrepareForms(TApplication& /*App*/) {}
};

// Delivers the posted events; Run and a modal loop end when nothing is left to deliver (a modal
// form then closes with mrCancel, as if the user closed it).
class THeadlessDriver : public TApplicationDriver {
 public:
  void ProcessMessages(TApplication& App) override;
  void Run(TApplication& App) override;
  void RunModal(TApplication& App, TCustomForm& Form) override;
};

class TApplication : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  TApplication();
  ~TApplication() override;

  // Registers the window model's classes for the component stream.
  void Initialize();

  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value);
  // The mode the library's dialogs take; the application reads right to left in any mode but
  // bdLeftToRight.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  // The program's help file; the active form's own HelpFile, when it has one, is used instead.
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& Value) { FHelpFile = Value; }
  // Shows the help topic Context of the help file in use through HelpViewer. There is no help
  // viewer unless the program installs one; without it, an Exception says so.
  void HelpContext(int Context);
  THelpViewer HelpViewer;
  bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }

  bool Terminated() const { return FTerminated; }
  void Terminate() { FTerminated = true; }
  // For a program (or a test) that runs a message loop again after the last one ended.
  void ClearTerminated() { FTerminated = false; }
  // Shows the main form and handles events until the application is terminated (closing the
  // main form terminates it).
  void Run();
  void ProcessMessages();
  // Gets the forms ready to show without showing them, so that they appear sooner; a program
  // body may give this to its idle work.
  void PrepareForms();
  // Work that the program body gives to waits with time to spare (on a device's answer, say);
  // the code that waits knows nothing of what it is.
  void SetOnIdle(std::function<void()> Value) { FOnIdle = std::move(Value); }
  // Called by a wait that has time to spare.
  void Idle() const {
    if (FOnIdle) FOnIdle();
  }

  // The class library's default error display: a message dialog of type error, titled with
  // the application's title, showing the exception's message (with a full stop added when it
  // ends in a character above '.').
  void HandleException(const std::exception& E);

  void PostClick(TControl* Control);
  void PostDblClick(TControl* Control);
  void PostKey(TCustomForm* Form, uint16_t Key, TShiftState Shift);
  void PostMenuClick(TMenuItem* Item);
  void PostCall(std::function<void()> Call);
  // Frees Form when delivered (TCustomForm::Release).
  void PostRelease(TCustomForm* Form);
  int PendingCount() const { return static_cast<int>(FQueue.size()); }
  // Delivers the oldest posted event; false when there was none. For drivers.
  bool DeliverNext();

  // True when a modal form runs and Form is not the innermost one.
  bool IsBlocked(const TCustomForm& Form) const;
  // Whether a user's click on Control can happen now: it and its parents show and are
  // enabled, and its form shows and is not blocked.
  bool AcceptsInput(const TControl& Control) const;

  TApplicationDriver& Driver() { return FDriver ? *FDriver : FHeadless; }
  // Null puts the headless driver back. The driver is not owned.
  void SetDriver(TApplicationDriver* Value) { FDriver = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomForm;
  struct TPosted {
    TComponent* Target;  // dropped with it; null for calls
    std::function<void()> Deliver;
  };
  void Post(TComponent* Target, std::function<void()> Deliver);
  void BeginModal(TCustomForm& Form);
  void EndModal(TCustomForm& Form);

  String FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FMainFormOnTaskBar = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  String FHelpFile;
  bool FTerminated = false;
  std::deque<TPosted> FQueue;
  std::vector<TCustomForm*> FModalForms;  // innermost last
  THeadlessDriver FHeadless;
  TApplicationDriver* FDriver = nullptr;
  std::function<void()> FOnIdle;
};

TApplication& Application();
