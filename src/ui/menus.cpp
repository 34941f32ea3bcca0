#include "ui/menus.h"

#include <algorithm>

#include "core/exceptions.h"
#include "ui/published_names.h"
#include "ui/ui_res_strings.h"

const TTypeInfo& TypeInfoTShortCut() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"TShortCut", 0, 65535);
  return T;
}

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
  if (Key > 0xFF) return 0;
  unsigned R = Key;
  if (Shift & ShiftState({ssShift})) R |= scShift;
  if (Shift & ShiftState({ssCtrl})) R |= scCtrl;
  if (Shift & ShiftState({ssAlt})) R |= scAlt;
  return static_cast<TShortCut>(R);
}

void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = 0;
  if (ShortCut & scShift) Shift |= ShiftState({ssShift});
  if (ShortCut & scCtrl) Shift |= ShiftState({ssCtrl});
  if (ShortCut & scAlt) Shift |= ShiftState({ssAlt});
}

const TClassType& TMenuItem::StaticClassType() {
  static const TClassType T(u"TMenuItem", &TComponent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TMenuItem(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TMenuItem>(C)
        .Ord(Published::AutoCheck, TypeInfoBoolean(), &TMenuItem::AutoCheck,
             &TMenuItem::SetAutoCheck, 0)
        .Str(Published::Caption, &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Ord(Published::Checked, TypeInfoBoolean(), &TMenuItem::Checked, &TMenuItem::SetChecked, 0)
        .Ord(Published::Enabled, TypeInfoBoolean(), &TMenuItem::Enabled, &TMenuItem::SetEnabled, 1)
        .Ord(Published::GroupIndex, TypeInfoByte(), &TMenuItem::GroupIndex,
             &TMenuItem::SetGroupIndex, 0)
        .Str(Published::Hint, &TMenuItem::Hint, &TMenuItem::SetHint)
        .Ord(Published::RadioItem, TypeInfoBoolean(), &TMenuItem::RadioItem,
             &TMenuItem::SetRadioItem, 0)
        .Ord(Published::ShortCut, TypeInfoTShortCut(), &TMenuItem::ShortCut,
             &TMenuItem::SetShortCut, 0)
        .Ord(Published::Visible, TypeInfoBoolean(), &TMenuItem::Visible, &TMenuItem::SetVisible, 1)
        .Event(u"OnClick", TypeInfoTNotifyEvent(), &TMenuItem::OnClick);
  });
  return T;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) {
    TMenuItem* Item = FItems.back();
    FItems.pop_back();
    Item->FParent = nullptr;
    TComponentDeleter()(Item);
  }
}

void TMenuItem::Changed(const String& PropName) {
  if (OnPropertyChanged) OnPropertyChanged(this, PropName);
}

void TMenuItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed(Published::Caption);
}

void TMenuItem::SetHint(const String& Value) {
  if (Value == FHint) return;
  FHint = Value;
  Changed(Published::Hint);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  Changed(Published::Checked);
  if (Value && FRadioItem) TurnSiblingsOff();
}

void TMenuItem::SetAutoCheck(bool Value) {
  if (Value == FAutoCheck) return;
  FAutoCheck = Value;
  Changed(Published::AutoCheck);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) return;
  FRadioItem = Value;
  Changed(Published::RadioItem);
  if (Value && FChecked) TurnSiblingsOff();
}

void TMenuItem::SetGroupIndex(uint8_t Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  Changed(Published::GroupIndex);
  if (FRadioItem && FChecked) TurnSiblingsOff();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  Changed(Published::ShortCut);
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed(Published::Enabled);
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed(Published::Visible);
}

bool TMenuItem::IsShowingEnabled() const {
  for (const TMenuItem* I = this; I; I = I->FParent)
    if (!I->FVisible || !I->FEnabled) return false;
  return true;
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* Sibling : FParent->FItems)
    if (Sibling != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex)
      Sibling->SetChecked(false);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EInvalidOperation(SMenuInserted);
  for (const TMenuItem* I = this; I; I = I->FParent)
    if (I == Item) throw EInvalidOperation(SMenuItemInItself);
  if (Index < 0 || Index > Count())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed(Published::Items);
  if (Item->FRadioItem && Item->FChecked) Item->TurnSiblingsOff();
}

void TMenuItem::Remove(TMenuItem* Item) {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It == FItems.end()) return;
  FItems.erase(It);
  Item->FParent = nullptr;
  Changed(Published::Items);
}

TPopupMenu* TMenuItem::Menu() const {
  const TMenuItem* Root = this;
  while (Root->FParent) Root = Root->FParent;
  return Root->FMenu;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) const {
  if (Value == 0) return nullptr;
  for (TMenuItem* I : FItems) {
    if (!I->FVisible || !I->FEnabled) continue;
    if (I->FShortCut == Value) return I;
    if (TMenuItem* Found = I->FindShortCut(Value)) return Found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (auto* M = dynamic_cast<TPopupMenu*>(Value))
    M->Items()->Add(this);
  else if (auto* I = dynamic_cast<TMenuItem*>(Value))
    I->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TMenuItem* I : FItems)
    if (I->Owner() == Root) Proc(I);
}

const TClassType& TPopupMenu::StaticClassType() {
  static const TClassType T(u"TPopupMenu", &TComponent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TPopupMenu(dynamic_cast<TComponent*>(Owner));
    };
  });
  return T;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

bool TPopupMenu::IsShortCut(TShortCut Value) {
  TMenuItem* Item = FItems->FindShortCut(Value);
  if (!Item) return false;
  Item->Click();
  return true;
}

void TPopupMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  FItems->GetChildren(Proc, Root);
}
