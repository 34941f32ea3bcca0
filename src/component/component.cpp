#include "component/component.h"

#include <algorithm>

#include "component/names.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/rtti.h"

namespace {

// Removes Item from List, looking from the end, where the latest ones stand.
void EraseLast(std::vector<TComponent*>& List, const TComponent* Item) {
  const auto It = std::find(List.rbegin(), List.rend(), Item);
  if (It != List.rend()) List.erase(std::next(It).base());
}

}  // namespace

const TClassType& TComponent::StaticClassType() {
  static const TClassType T(u"TComponent", &TPersistent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TComponent(dynamic_cast<TComponent*>(Owner));
    };
    TPropInfo Name;
    Name.Name = u"Name";
    Name.PropType = &TypeInfoString();
    Name.GetStr = [](const TObject& O) { return static_cast<const TComponent&>(O).Name(); };
    Name.SetStr = [](TObject& O, const String& V) { static_cast<TComponent&>(O).SetName(V); };
    // The name travels in the header of the component's image, never as a property.
    Name.IsStored = [](const TObject&) { return false; };
    C.AddProp(std::move(Name));
    TPropsOf<TComponent>(C).Ord(u"Tag", TypeInfoInteger(), &TComponent::Tag, &TComponent::SetTag,
                                0);
  });
  return T;
}

bool TComponent::TByName::operator()(const TComponent* A, const TComponent* B) const {
  return CompareAsciiText(A->FName, B->FName) < 0;
}

bool TComponent::TByName::operator()(const TComponent* A, std::u16string_view B) const {
  return CompareAsciiText(A->FName, B) < 0;
}

bool TComponent::TByName::operator()(std::u16string_view A, const TComponent* B) const {
  return CompareAsciiText(A, B->FName) < 0;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  if (!FDestroyed) BeforeDestruction();
}

void TComponent::BeforeDestruction() {
  if (FDestroyed) return;
  FDestroyed = true;
  MarkDestroying(*this);
  while (!FFreeNotifies.empty()) {
    TComponent* Partner = FFreeNotifies.back();
    // One that hears of all the owner's components hears of this one through the owner, once.
    if (!HearsThroughOwner(Partner)) Partner->Notification(this, TOperation::opRemove);
    // An override that skipped the inherited step must not stall the loop.
    RemoveFreeNotification(Partner);
  }
  while (!FComponents.empty()) {
    TComponent* Child = FComponents.back();
    Child->BeforeDestruction();  // leaves this owner through RemoveComponent
    if (!FComponents.empty() && FComponents.back() == Child) Remove(Child);
    delete Child;
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::MarkDestroying(TComponent& C) {
  C.FComponentState |= csDestroying;
  for (TComponent* Child : C.FComponents) MarkDestroying(*Child);
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(Format(u"\"%s\" is not a valid component name", {NewName}));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  if (FOwner) FOwner->Unindex(this);
  FName = NewName;
  if (FOwner && !FName.empty()) FOwner->FNamed.insert(this);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName,
                                const String& NewName) {
  if (!AComponent || NewName.empty() || SameName(CurName, NewName)) return;
  const TComponent* Other = FindComponent(NewName);
  if (Other && Other != AComponent)
    throw EComponentError(Format(u"Component name \"%s\" is not unique", {NewName}));
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& List = FOwner->FComponents;
  const auto It = std::find(List.begin(), List.end(), this);
  return It == List.end() ? -1 : static_cast<int>(It - List.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  const auto It = FNamed.find(std::u16string_view(AName));
  return It == FNamed.end() ? nullptr : *It;
}

void TComponent::SetState(TComponentStateFlag F, bool On) {
  if (On)
    FComponentState |= F;
  else
    FComponentState &= static_cast<TComponentState>(~F);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetState(csDesigning, Value);
  if (SetChildren)
    for (TComponent* C : FComponents) C->SetDesigning(Value);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  ValidateRename(AComponent, String(), AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  // A component put into a form that is being designed is being designed too.
  if (HasState(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, TOperation::opRemove);
  NotifyPartners(AComponent);
  Remove(AComponent);
}

void TComponent::NotifyPartners(TComponent* AComponent) {
  // The components of this owner that refer to it and do not hear of all: the owner's
  // broadcast does not reach them. (When it is freed they have heard already, and the list is
  // empty.)
  std::vector<TComponent*> Partners;
  for (TComponent* P : AComponent->FFreeNotifies)
    if (P->FOwner == this && !P->FListed) Partners.push_back(P);
  for (auto It = Partners.rbegin(); It != Partners.rend(); ++It)
    (*It)->Notification(AComponent, TOperation::opRemove);
}

bool TComponent::HearsThroughOwner(const TComponent* Partner) const {
  return FOwner && Partner->FOwner == FOwner && Partner->FListed;
}

bool TComponent::IsPartner(const TComponent* AComponent) const {
  // Both hold the pair; the shorter list answers.
  const auto& Mine = FFreeNotifies;
  const auto& Theirs = AComponent->FFreeNotifies;
  const TComponent* Wanted = Mine.size() <= Theirs.size() ? AComponent : this;
  const auto& List = Mine.size() <= Theirs.size() ? Mine : Theirs;
  return std::find(List.rbegin(), List.rend(), Wanted) != List.rend();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this || IsPartner(AComponent)) return;
  FFreeNotifies.push_back(AComponent);
  AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent || !IsPartner(AComponent)) return;
  EraseLast(FFreeNotifies, AComponent);
  EraseLast(AComponent->FFreeNotifies, this);
}

void TComponent::HearAllComponents() {
  FHearsAll = true;
  JoinHearers();
}

void TComponent::JoinHearers() {
  if (FListed || !FOwner) return;
  FListed = true;
  FOwner->FHearers.push_back(this);
  // The owner's own owner has to reach the owner for the broadcast to reach this one.
  FOwner->JoinHearers();
}

void TComponent::FinishLoading() {
  FComponentState &= static_cast<TComponentState>(~(csLoading | csReading));
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  if (Root != this) return;
  for (TComponent* C : FComponents)
    if (!C->HasParent()) Proc(C);
}

void TComponent::DeclareStoredData(TFiler& Filer) {
  TPersistent::DeclareStoredData(Filer);
  const auto* Anc = dynamic_cast<const TComponent*>(Filer.Ancestor());
  const bool HasData = !HasParent() && (Anc ? Anc->FDesignInfo != FDesignInfo : FDesignInfo != 0);
  const auto Bits = [this] { return static_cast<uint32_t>(FDesignInfo); };
  Filer.DefineProperty(
      u"Left",
      [this, Bits](TReader& R) {
        const uint32_t Lo = static_cast<uint32_t>(R.ReadInteger()) & 0xFFFFu;
        FDesignInfo = static_cast<int32_t>((Bits() & 0xFFFF0000u) | Lo);
      },
      [Bits](TWriter& W) { W.WriteInteger(static_cast<int16_t>(Bits() & 0xFFFFu)); }, HasData);
  Filer.DefineProperty(
      u"Top",
      [this, Bits](TReader& R) {
        const uint32_t Hi = static_cast<uint32_t>(R.ReadInteger()) & 0xFFFFu;
        FDesignInfo = static_cast<int32_t>((Bits() & 0xFFFFu) | (Hi << 16));
      },
      [Bits](TWriter& W) { W.WriteInteger(static_cast<int16_t>(Bits() >> 16)); }, HasData);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
  NotifyAll(AComponent, Operation);
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  // Backwards, tolerating components that leave the list while it is walked.
  size_t I = FHearers.size();
  while (I > 0) {
    --I;
    FHearers[I]->Notification(AComponent, Operation);
    I = std::min(I, FHearers.size());
  }
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (!AComponent->FName.empty()) FNamed.insert(AComponent);
  if (AComponent->FHearsAll || !AComponent->FHearers.empty()) AComponent->JoinHearers();
}

void TComponent::Remove(TComponent* AComponent) {
  Unindex(AComponent);
  EraseLast(FComponents, AComponent);
  if (AComponent->FListed) {
    EraseLast(FHearers, AComponent);
    AComponent->FListed = false;
  }
  AComponent->FOwner = nullptr;
}

void TComponent::Unindex(TComponent* AComponent) {
  if (AComponent->FName.empty()) return;
  const auto It = FNamed.find(std::u16string_view(AComponent->FName));
  if (It != FNamed.end() && *It == AComponent) FNamed.erase(It);
}
