#pragma once
// What the language switch and the entry maintenance ask again and again, answered from
// indexes: the owner's components by name (kept until a component comes or goes) and the line
// of a name in a list (kept for one switch). Names compare as the library compares them (ASCII
// letters folded).
#include <string_view>
#include <unordered_map>

#include "core/ustring.h"

class TComponent;
class TStrings;

class TSwitchLookups {
 public:
  // Owner may be null: it then has no components.
  void SetOwner(const TComponent* Owner) {
    if (Owner == FOwner) return;
    FOwner = Owner;
    FComponentsKnown = false;
  }

  // The owner's component of that name, as FindComponent finds it.
  TComponent* Component(std::u16string_view Name);
  // A component came or went.
  void ComponentsChanged() { FComponentsKnown = false; }
  // The index of the last line of List whose name (field 0) is Name, or -1; the lines are
  // read once until Forget.
  int LastLineOf(const TStrings& List, char16_t Delim, std::u16string_view Name);
  void ForgetLines() { FLinesOf = nullptr; }

 private:
  const TComponent* FOwner = nullptr;
  std::unordered_map<String, TComponent*, TAsciiFoldHash, TAsciiFoldEqual> FComponents;
  bool FComponentsKnown = false;
  const TStrings* FLinesOf = nullptr;
  std::unordered_map<String, int, TAsciiFoldHash, TAsciiFoldEqual> FLines;
};
