#include "component/component.h"

#include <algorithm>

#include "component/names.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/rtti.h"

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
    Partner->Notification(this, TOperation::opRemove);
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
  FName = NewName;
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
  for (TComponent* C : FComponents)
    if (SameName(C->FName, AName)) return C;
  return nullptr;
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
  Remove(AComponent);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Components of one owner already hear of each other through that owner.
  if (FOwner && AComponent->FOwner == FOwner) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) != FFreeNotifies.end())
    return;
  FFreeNotifies.push_back(AComponent);
  AComponent->FreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  std::erase(FFreeNotifies, AComponent);
  std::erase(AComponent->FFreeNotifies, this);
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
  size_t I = FComponents.size();
  while (I > 0) {
    --I;
    FComponents[I]->Notification(AComponent, Operation);
    I = std::min(I, FComponents.size());
  }
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}
