#include "lang/switch/switch_lookups.h"

#include "component/component.h"
#include "core/strings.h"

std::u16string_view TSwitchLookups::TSlotReader::Key(const TlcKeyIndex::TSlot& S) const {
  return (*static_cast<TComponent* const*>(S.Ptr()))->Name();
}

void TSwitchLookups::IndexComponents() {
  FComponents.clear();
  for (int I = 0; I < FOwner->ComponentCount(); ++I) FComponents.push_back(FOwner->Components(I));
  FIndex.Reset(FComponents.size());
  // Names are unique among an owner's components, so none is indexed twice.
  for (TComponent* const& C : FComponents)
    if (!C->Name().empty())
      FIndex.Insert(TlcKeyIndex::TSlot(&C, 0, 0), TlcKeyIndex::Hash(C->Name()), TSlotReader());
  FComponentsKnown = true;
}

void TSwitchLookups::FetchAhead() const {
  constexpr int Ahead = 8;
  constexpr int ObjectBytes = 512;  // a control's texts, font and action lie within them
  const int Count = FOwner->ComponentCount();
  if (FNext + Ahead < Count) {
    const auto* Object = reinterpret_cast<const char*>(FOwner->Components(FNext + Ahead));
    for (int At = 0; At <= ObjectBytes; At += 64) __builtin_prefetch(Object + At);
  }
  // Its fields have arrived by the time its name is due to be compared.
  if (FNext + Ahead / 2 < Count)
    __builtin_prefetch(FOwner->Components(FNext + Ahead / 2)->Name().data());
}

TComponent* TSwitchLookups::Component(std::u16string_view Name) {
  if (Name.empty() || !FOwner) return nullptr;
  // The owner's only component of that name is the one.
  if (FNext < FOwner->ComponentCount()) {
    TComponent* C = FOwner->Components(FNext);
    if (TlcKeyIndex::SameKey(C->Name(), Name)) {
      ++FNext;
      FetchAhead();
      return C;
    }
  }
  if (!FComponentsKnown) IndexComponents();
  if (const TlcKeyIndex::TSlot* S = FIndex.Find(Name, TSlotReader())) {
    TComponent* const* Entry = static_cast<TComponent* const*>(S->Ptr());
    FNext = static_cast<int>(Entry - FComponents.data()) + 1;
    return *Entry;
  }
  // A component renamed since the index was built is found the slow way, once.
  TComponent* Found = FOwner->FindComponent(String(Name));
  if (Found) FComponentsKnown = false;
  return Found;
}

int TSwitchLookups::LastLineOf(const TStrings& List, char16_t Delim, std::u16string_view Name) {
  if (FLinesOf != &List) {
    FLines.clear();
    String Scratch;
    for (int I = 0; I < List.Count(); ++I) {
      const std::u16string_view Line = List.View(I, Scratch);
      const size_t D = Line.find(Delim);
      // A line without a delimiter has no name.
      FLines.insert_or_assign(String(D == String::npos ? std::u16string_view() : Line.substr(0, D)),
                              I);
    }
    FLinesOf = &List;
  }
  const auto It = FLines.find(Name);
  return It == FLines.end() ? -1 : It->second;
}
