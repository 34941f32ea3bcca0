#include "ui/form.h"

#include "core/exceptions.h"
#include "core/scope_exit.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/menus.h"
#include "ui/published_names.h"
#include "ui/screen.h"
#include "ui/ui_res_strings.h"

namespace {

// The first showing, enabled button below Parent that Wanted accepts, depth first.
TButton* FindButton(const TWinControl& Parent, bool (TButton::*Wanted)() const) {
  for (int I = 0; I < Parent.ControlCount(); ++I) {
    TControl* C = Parent.Controls(I);
    if (auto* B = dynamic_cast<TButton*>(C); B && (B->*Wanted)() && B->IsShowingEnabled()) return B;
    if (auto* W = dynamic_cast<TWinControl*>(C))
      if (TButton* Found = FindButton(*W, Wanted)) return Found;
  }
  return nullptr;
}

}  // namespace

const TTypeInfo& TypeInfoTPosition() {
  static const TTypeInfo T =
      EnumTypeInfo(u"TPosition", {u"poDesigned", u"poDefault", u"poDefaultPosOnly",
                                  u"poDefaultSizeOnly", u"poScreenCenter", u"poDesktopCenter",
                                  u"poMainFormCenter", u"poOwnerFormCenter"});
  return T;
}

const TTypeInfo& TypeInfoTFormBorderStyle() {
  static const TTypeInfo T = EnumTypeInfo(
      u"TFormBorderStyle",
      {u"bsNone", u"bsSingle", u"bsSizeable", u"bsDialog", u"bsToolWindow", u"bsSizeToolWin"});
  return T;
}

const TTypeInfo& TypeInfoTWindowState() {
  static const TTypeInfo T =
      EnumTypeInfo(u"TWindowState", {u"wsNormal", u"wsMinimized", u"wsMaximized"});
  return T;
}

const TClassType& TCustomForm::StaticClassType() {
  static const TClassType T(u"TCustomForm", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TCustomForm(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TCustomForm>(C)
        .Obj(Published::ActiveControl, TWinControl::StaticClassType(), &TCustomForm::ActiveControl,
             &TCustomForm::SetActiveControl)
        .Ord(Published::BorderStyle, TypeInfoTFormBorderStyle(), &TCustomForm::BorderStyle,
             &TCustomForm::SetBorderStyle, bsSizeable)
        .Str(Published::Caption, &TCustomForm::Caption, &TCustomForm::SetCaption)
        .Ord(u"ClientHeight", TypeInfoInteger(), &TCustomForm::ClientHeight,
             &TCustomForm::SetClientHeight)
        .Ord(u"ClientWidth", TypeInfoInteger(), &TCustomForm::ClientWidth,
             &TCustomForm::SetClientWidth)
        .Ord(u"HelpContext", TypeInfoInteger(), &TCustomForm::HelpContext,
             &TCustomForm::SetHelpContext, 0)
        .Ord(u"KeyPreview", TypeInfoBoolean(), &TCustomForm::KeyPreview,
             &TCustomForm::SetKeyPreview, 0)
        .Ord(Published::Position, TypeInfoTPosition(), &TCustomForm::Position,
             &TCustomForm::SetPosition, poDesigned)
        .Ord(Published::WindowState, TypeInfoTWindowState(), &TCustomForm::WindowState,
             &TCustomForm::SetWindowState, wsNormal)
        .Event(u"OnClose", TypeInfoTCloseEvent(), &TCustomForm::OnClose)
        .Event(u"OnCreate", TypeInfoTNotifyEvent(), &TCustomForm::OnCreate)
        .Event(u"OnKeyDown", TypeInfoTKeyEvent(), &TCustomForm::OnKeyDown);
  });
  return T;
}

const TClassType& TForm::StaticClassType() {
  static const TClassType T(u"TForm", &TCustomForm::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TForm(dynamic_cast<TComponent*>(Owner));
    };
  });
  return T;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  InitVisible(false);
  InitParentFont(false);
  Screen().AddForm(this);
}

TCustomForm::~TCustomForm() {
  Screen().RemoveForm(this);
}

void TCustomForm::SetPosition(TPosition Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  Changed(Published::Position);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Changed(Published::BorderStyle);
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  if (Value == FActiveControl) return;
  if (Value && !HasState(csLoading)) {
    if (Value == this || Value->ParentForm() != this) throw EInvalidOperation(SCannotFocus);
    for (const TControl* C = Value; C != this; C = C->Parent())
      if (!C->Visible() || !C->Enabled()) throw EInvalidOperation(SCannotFocus);
  }
  FActiveControl = Value;
  if (Value) Value->FreeNotification(this);
  Changed(Published::ActiveControl);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (Control != this) SetActiveControl(Control);
  if (Visible() && !Application().IsBlocked(*this)) Screen().ActivateForm(this);
}

void TCustomForm::CheckActiveControl() {
  if (!FActiveControl || HasState(csLoading)) return;
  bool Keep = FActiveControl->ParentForm() == this;
  for (const TControl* C = FActiveControl; Keep && C != this; C = C->Parent())
    Keep = C->Visible() && C->Enabled();
  if (!Keep) SetActiveControl(nullptr);
}

bool TCustomForm::Active() const {
  return Screen().ActiveForm() == this;
}

void TCustomForm::Show() {
  SetVisible(true);
  Screen().ActivateForm(this);
}

void TCustomForm::VisibleChanged() {
  // A form read as visible shows once it is created.
  if (HasState(csLoading)) return;
  if (Visible()) {
    ApplyPosition();
    Screen().ActivateForm(this);
  } else {
    Screen().FormHidden(this);
  }
  Application().Driver().FormShowing(*this, Visible());
}

void TCustomForm::ApplyPosition() {
  const TCustomForm* Over = nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
      Over = Application().MainForm();
      break;
    case poOwnerFormCenter:
      Over = dynamic_cast<const TCustomForm*>(Owner());
      break;
    default:
      return;
  }
  if (Over == this) Over = nullptr;
  const int X = Over ? Over->Left() : 0, Y = Over ? Over->Top() : 0;
  const int W = Over ? Over->Width() : Screen().Width(),
            H = Over ? Over->Height() : Screen().Height();
  SetBounds(X + (W - Width()) / 2, Y + (H - Height()) / 2, Width(), Height());
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  TCloseAction Action = caHide;
  DoClose(Action);
  if (Action == caNone) return;
  if (Application().MainForm() == this) {
    Application().Terminate();
    return;
  }
  if (Action == caHide)
    Hide();
  else if (Action == caFree)
    Release();
}

void TCustomForm::DoClose(TCloseAction& Action) {
  OnClose(this, Action);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || FModal) throw EInvalidOperation(SVisibleModal);
  FModal = true;
  FModalResult = mrNone;
  Application().BeginModal(*this);
  TCloseAction Action = caHide;
  {
    const TScopeExit Finish([this] {
      Hide();
      FModal = false;
      Application().EndModal(*this);
    });
    Show();
    Application().Driver().RunModal(Application(), *this);
    // The modal run has ended: a handler cannot keep the form open here (caNone is ignored).
    DoClose(Action);
  }
  if (Action == caFree) Release();
  return FModalResult;
}

void TCustomForm::Release() {
  Application().PostRelease(this);
}

void TCustomForm::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (FKeyPreview) OnKeyDown(this, Key, Shift);
  if (Key == 0) return;
  if (IsShortCut(Key, Shift) || ClickDialogButton(Key)) Key = 0;
}

bool TCustomForm::IsShortCut(uint16_t Key, TShiftState Shift) {
  const TShortCut Wanted = ShortCut(Key, Shift);
  if (Wanted == 0) return false;
  for (TControl* C = FActiveControl ? static_cast<TControl*>(FActiveControl) : this; C;
       C = C->Parent())
    if (C->PopupMenu() && C->PopupMenu()->IsShortCut(Wanted)) return true;
  return false;
}

bool TCustomForm::ClickDialogButton(uint16_t Key) {
  if (Key == VK_RETURN || Key == VK_SPACE) {
    if (auto* B = dynamic_cast<TButton*>(FActiveControl); B && B->IsShowingEnabled()) {
      B->Click();
      return true;
    }
  }
  TButton* B = Key == VK_RETURN   ? FindButton(*this, &TButton::Default)
               : Key == VK_ESCAPE ? FindButton(*this, &TButton::Cancel)
                                  : nullptr;
  if (!B) return false;
  B->Click();
  return true;
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  TWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (int I = 0; I < ComponentCount(); ++I)
    if (!Components(I)->HasParent()) Proc(Components(I));
}

void TCustomForm::AfterLoading() {
  TWinControl::AfterLoading();
  DoCreate();
  if (Visible()) VisibleChanged();
}

void TCustomForm::DoCreate() {
  if (FCreated) return;
  FCreated = true;
  try {
    OnCreate(this);
  } catch (const std::exception& E) {
    Application().HandleException(E);
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent && AComponent == FActiveControl) {
    FActiveControl = nullptr;
    Changed(Published::ActiveControl);
  }
}
