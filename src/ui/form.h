#pragma once
// Forms: top-level windows with a caption, a client area, an active control, key preview and
// the show / close / modal life of the class library's forms. A form read from a component
// stream fires OnCreate once the whole image (every component in it) has finished loading.
#include "ui/win_control.h"

enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TFormBorderStyle : uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };

const TTypeInfo& TypeInfoTPosition();
const TTypeInfo& TypeInfoTFormBorderStyle();
const TTypeInfo& TypeInfoTWindowState();

class TCustomForm : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  void SetClientWidth(int Value) { SetWidth(Value); }
  void SetClientHeight(int Value) { SetHeight(Value); }

  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  // The help topic of the form, and a help file of its own that the application's help uses
  // instead of its own while the form is the active one.
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& Value) { FHelpFile = Value; }
  // Normal, minimized or maximized; the bounds stay those of the normal window.
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value) { FWindowState = Value; }

  // The control that has (or gets, when the form is activated) the focus. Setting a control of
  // another form, or one that is hidden or disabled (outside loading), raises
  // EInvalidOperation.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);
  // Makes Control the active control and the form the screen's active form.
  void FocusControl(TWinControl* Control);
  // Drops the active control when it is no longer a showing, enabled control of this form.
  void CheckActiveControl();
  // The screen's active form.
  bool Active() const;

  // Shows the form and makes it the screen's active form.
  void Show();
  void Hide() { SetVisible(false); }
  // OnClose decides (caHide by default): caNone keeps the form, caHide hides it, caFree
  // releases it; closing the application's main form ends the application instead. Closing a
  // modal form sets its ModalResult to mrCancel.
  void Close();
  // Shows the form modally until its ModalResult is set; the other forms take no input
  // meanwhile. A visible form cannot be shown modally (EInvalidOperation).
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Modal() const { return FModal; }
  // Frees the form once the application delivers its pending messages.
  void Release();

  // A key press that reaches the form: OnKeyDown first with KeyPreview, then the pop-up menus'
  // short cuts along the active control's parents, then Return (the focused button or the
  // default button) and Escape (the cancel button).
  void KeyDown(uint16_t& Key, TShiftState Shift);

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
  void AfterLoading() override;

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TKeyEvent OnKeyDown;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool DefaultVisible() const override { return false; }
  bool DefaultParentFont() const override { return false; }
  bool SizeStored() const override { return false; }
  void VisibleChanged() override;

 private:
  void DoCreate();
  void DoClose(TCloseAction& Action);
  void ApplyPosition();
  bool IsShortCut(uint16_t Key, TShiftState Shift);
  bool ClickDialogButton(uint16_t Key);

  TPosition FPosition = poDesigned;
  TFormBorderStyle FBorderStyle = bsSizeable;
  bool FKeyPreview = false;
  TWindowState FWindowState = wsNormal;
  int FHelpContext = 0;
  String FHelpFile;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FCreated = false;
};

class TForm : public TCustomForm {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
