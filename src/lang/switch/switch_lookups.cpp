#include "lang/switch/switch_lookups.h"

#include "component/component.h"
#include "core/strings.h"

TComponent* TSwitchLookups::Component(std::u16string_view Name) {
  if (Name.empty() || !FOwner) return nullptr;
  if (!FComponentsKnown) {
    FComponents.clear();
    FComponents.reserve(static_cast<size_t>(FOwner->ComponentCount()));
    // The first of equal names wins, as in FindComponent.
    for (int I = 0; I < FOwner->ComponentCount(); ++I) {
      TComponent* C = FOwner->Components(I);
      if (!C->Name().empty()) FComponents.emplace(C->Name(), C);
    }
    FComponentsKnown = true;
  }
  const auto It = FComponents.find(Name);
  // A component renamed since the index was built is found the slow way, once.
  if (It != FComponents.end() && TAsciiFoldEqual()(It->second->Name(), Name)) return It->second;
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
