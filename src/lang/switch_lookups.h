#pragma once
// What one language switch asks again and again, answered from indexes built once per switch:
// the owner's components by name and the line of a name in a list. Names compare as the
// library compares them (ASCII letters folded).
#include <string_view>
#include <unordered_map>

#include "core/ustring.h"

class TComponent;
class TStrings;

class TSwitchLookups {
 public:
  // Owner may be null: it then has no components.
  explicit TSwitchLookups(const TComponent* Owner) : FOwner(Owner) {}

  // The owner's component of that name, as FindComponent finds it.
  TComponent* Component(std::u16string_view Name);
  // Forgets the components: one came or went while the switch ran.
  void ComponentsChanged() {
    FComponents.clear();
    FComponentsKnown = false;
  }
  // The index of the last line of List whose name (field 0) is Name, or -1.
  int LastLineOf(const TStrings& List, char16_t Delim, std::u16string_view Name);

 private:
  const TComponent* FOwner;
  std::unordered_map<String, TComponent*, TAsciiFoldHash, TAsciiFoldEqual> FComponents;
  bool FComponentsKnown = false;
  const TStrings* FLinesOf = nullptr;
  std::unordered_map<String, int, TAsciiFoldHash, TAsciiFoldEqual> FLines;
};
