#include "ui/control.h"

#include "core/exceptions.h"
#include "core/restore.h"
#include "ui/action.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/published_names.h"
#include "ui/ui_res_strings.h"
#include "ui/win_control.h"

const TClassType& TControl::StaticClassType() {
  static const TClassType T(u"TControl", &TComponent::StaticClassType(), [](TClassType& C) {
    TPropsOf<TControl>(C)
        .Ord(u"Left", TypeInfoInteger(), &TControl::Left, &TControl::SetLeft)
        .Ord(u"Top", TypeInfoInteger(), &TControl::Top, &TControl::SetTop)
        .Ord(u"Width", TypeInfoInteger(), &TControl::Width, &TControl::SetWidth, std::nullopt,
             &TControl::IsSizeStored)
        .Ord(u"Height", TypeInfoInteger(), &TControl::Height, &TControl::SetHeight, std::nullopt,
             &TControl::IsSizeStored)
        .Ord(Published::Align, TypeInfoTAlign(), &TControl::Align, &TControl::SetAlign,
             std::nullopt, &TControl::AlignStored)
        .Ord(Published::Color, TypeInfoTColor(), &TControl::Color, &TControl::SetColor,
             std::nullopt, &TControl::ColorStored)
        .Ord(Published::Enabled, TypeInfoBoolean(), &TControl::Enabled, &TControl::SetEnabled, 1)
        .Obj(Published::Font, TFont::StaticClassType(), &TControl::Font, &TControl::SetFont,
             &TControl::FontStored)
        .Ord(Published::ParentFont, TypeInfoBoolean(), &TControl::ParentFont,
             &TControl::SetParentFont, std::nullopt, &TControl::ParentFontStored)
        .Str(Published::Hint, &TControl::Hint, &TControl::SetHint)
        .Obj(Published::PopupMenu, TPopupMenu::StaticClassType(), &TControl::PopupMenu,
             &TControl::SetPopupMenu)
        .Obj(Published::Action, TAction::StaticClassType(), &TControl::Action, &TControl::SetAction)
        .Ord(Published::Visible, TypeInfoBoolean(), &TControl::Visible, &TControl::SetVisible,
             std::nullopt, &TControl::VisibleStored)
        .Event(u"OnClick", TypeInfoTNotifyEvent(), &TControl::OnClick)
        .Event(u"OnDblClick", TypeInfoTNotifyEvent(), &TControl::OnDblClick);
  });
  return T;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->OnChange = TNotifyEvent([this](TObject*) { FontChange(); });
}

TControl::~TControl() {
  FFont->OnChange = {};
  if (FAction) std::erase(FAction->FClients, this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::Changed(const String& PropName) {
  if (OnPropertyChanged) OnPropertyChanged(this, PropName);
}

void TControl::SetParent(TWinControl* Value) {
  if (Value == FParent) return;
  const auto* Self = dynamic_cast<const TWinControl*>(this);
  if (Value == this || (Self && Value && Self->ContainsControl(Value)))
    throw EInvalidOperation(SControlParentSelf);
  if (FParent) FParent->RemoveControl(this);
  if (Value) Value->InsertControl(this);
  Changed(u"Parent");
  SyncParentFont();
  SyncParentBiDiMode();
}

TComponent* TControl::GetParentComponent() const {
  return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* P = dynamic_cast<TWinControl*>(Value)) SetParent(P);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* Top = this;
  while (Top->FParent) Top = Top->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Top));
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool SizeChanged = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Changed(u"Bounds");
  if (SizeChanged) Resized();
  if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  Changed(Published::Align);
  if (FParent) FParent->Realign();
}

void TControl::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed(Published::Caption);
}

void TControl::SetHint(const String& Value) {
  if (Value == FHint) return;
  FHint = Value;
  Changed(Published::Hint);
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed(Published::Visible);
  if (FParent && FAlign != alNone) FParent->Realign();
  VisibleChanged();
}

void TControl::VisibleChanged() {
  CheckFormActiveControl();
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed(Published::Enabled);
  CheckFormActiveControl();
}

void TControl::CheckFormActiveControl() const {
  if (HasState(csLoading) || HasState(csDestroying)) return;
  if (TCustomForm* F = ParentForm()) F->CheckActiveControl();
}

bool TControl::IsShowingEnabled() const {
  for (const TControl* C = this; C; C = C->FParent)
    if (!C->FVisible || !C->FEnabled) return false;
  return true;
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  Changed(Published::ParentFont);
  SyncParentFont();
}

void TControl::SetFont(TFont* Value) {
  if (Value && Value != FFont.get()) FFont->Assign(*Value);
}

void TControl::FontChange() {
  // A font of its own ends the inheritance; the parent's font arriving keeps it.
  if (!FTakingParentFont && FParentFont) {
    FParentFont = false;
    Changed(Published::ParentFont);
  }
  Changed(Published::Font);
  FontChanged();
}

void TControl::SyncParentFont() {
  if (!FParentFont || !FParent) return;
  const TRestore<bool> Taking(FTakingParentFont, true);
  FFont->Assign(*FParent->Font());
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed(Published::Color);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (!FTakingParentBiDiMode) FParentBiDiMode = false;
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  Changed(Published::BiDiMode);
  BiDiModeChanged();
}

void TControl::SyncParentBiDiMode() {
  if (!FParentBiDiMode || !FParent) return;
  const TRestore<bool> Taking(FTakingParentBiDiMode, true);
  SetBiDiMode(FParent->BiDiMode());
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value == FPopupMenu) return;
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
  Changed(Published::PopupMenu);
}

void TControl::SetAction(TAction* Value) {
  if (Value == FAction) return;
  if (FAction) std::erase(FAction->FClients, this);
  FAction = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  Value->FClients.push_back(this);
  SetCaption(Value->Caption());
  SetHint(Value->Hint());
}

void TControl::Click() {
  if (!OnClick && FAction && FAction->Execute()) return;
  OnClick(this);
}

void TControl::DblClick() {
  OnDblClick(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent && AComponent == FPopupMenu) {
    FPopupMenu = nullptr;
    Changed(Published::PopupMenu);
  }
  if (Operation == TOperation::opRemove && AComponent && AComponent == FAction) FAction = nullptr;
}
