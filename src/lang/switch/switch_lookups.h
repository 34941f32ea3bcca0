#pragma once
// What the language switch and the entry maintenance ask again and again, answered from
// indexes: the owner's components by name (kept until a component comes or goes) and the line
// of a name in a list (kept for one switch). Names compare as the library compares them (ASCII
// letters folded). Lines mostly name the components in the owner's order, so the component
// after the one found last is tried before the index.
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ustring.h"
#include "lang/table/key_index.h"

class TComponent;
class TStrings;

class TSwitchLookups {
 public:
  // Owner may be null: it then has no components.
  void SetOwner(const TComponent* Owner) {
    if (Owner == FOwner) return;
    FOwner = Owner;
    FComponentsKnown = false;
    FNext = 0;
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
  // A slot of the index points at an entry of FComponents; its key is that component's name
  // as it is now.
  struct TSlotReader {
    std::u16string_view Key(const TlcKeyIndex::TSlot& S) const;
    uint32_t Hash(const TlcKeyIndex::TSlot& S) const { return TlcKeyIndex::Hash(Key(S)); }
  };
  void IndexComponents();
  // Lines mostly name the components in the owner's order, and on a large form each one's
  // fields lie in memory beyond the caches: while the switch works on one, the component some
  // places ahead is fetched, its object and then its name.
  void FetchAhead() const;

  const TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;  // the owner's when the index was built
  TlcKeyIndex FIndex;                    // FComponents' named ones
  bool FComponentsKnown = false;
  int FNext = 0;  // the owner's component after the one found last
  const TStrings* FLinesOf = nullptr;
  std::unordered_map<String, int, TAsciiFoldHash, TAsciiFoldEqual> FLines;
};
