#include "core/res_strings.h"

#include <algorithm>

#include "core/core_res_strings.h"

namespace {

const TResModule* GProgramModule = &CoreResources;

String SysLoadResString(const TResStringRec* ResStringRec) {
  if (!ResStringRec) return {};
  if (ResStringRec->Identifier >= ResIdentifierBound)
    return String(reinterpret_cast<const char16_t*>(ResStringRec->Identifier));
  if (!ResStringRec->Module) return {};
  return LoadStringW(FindResourceHInstance(*ResStringRec->Module),
                     static_cast<uint16_t>(ResStringRec->Identifier), 4096);
}

String SysLoadStr(int Ident) {
  // Only a table identifier: a number is never taken for a text's address.
  if (Ident < 0 || static_cast<uintptr_t>(Ident) >= ResIdentifierBound) return {};
  return LoadStringW(FindResourceHInstance(HInstance()), static_cast<uint16_t>(Ident), 4096);
}

String SysFmtLoadStr(int Ident, std::initializer_list<TVarRec> Args) {
  return Format(SysLoadStr(Ident), Args);
}

constinit TResStringLoaders GLoaders{&SysLoadResString, &SysLoadStr, &SysFmtLoadStr};
constexpr TResStringLoaders LibraryLoaders{&SysLoadResString, &SysLoadStr, &SysFmtLoadStr};

}  // namespace

const char16_t* TResModule::Find(uint16_t Identifier) const {
  for (const TResModule* M = this; M; M = M->FBase) {
    const auto It =
        std::find_if(M->FStrings.begin(), M->FStrings.end(),
                     [Identifier](const TResStringEntry& E) { return E.Identifier == Identifier; });
    if (It != M->FStrings.end()) return It->Text;
  }
  return nullptr;
}

bool TResModule::BuiltUpon(const TResModule& Module) const {
  for (const TResModule* M = this; M; M = M->FBase)
    if (M == &Module) return true;
  return false;
}

const TResModule& HInstance() {
  return *GProgramModule;
}

bool RegisterResModule(const TResModule& Module) {
  if (!Module.BuiltUpon(*GProgramModule)) return false;
  GProgramModule = &Module;
  return true;
}

const TResModule& FindResourceHInstance(const TResModule& Module) {
  return Module;
}

String LoadStringW(const TResModule& Module, uint16_t Identifier, int BufferLength) {
  const char16_t* Text = Module.Find(Identifier);
  if (!Text || BufferLength < 1) return {};
  String S(Text);
  if (S.size() > static_cast<size_t>(BufferLength - 1)) S.resize(BufferLength - 1);
  return S;
}

TResStringRec::operator String() const {
  return LoadResString(this);
}

const TResStringLoaders& ResStringLoaders() {
  return GLoaders;
}

TResStringLoaders SetResStringLoaders(const TResStringLoaders& Loaders) {
  const TResStringLoaders Old = GLoaders;
  GLoaders = Loaders;
  return Old;
}

const TResStringLoaders& LibraryResStringLoaders() {
  return LibraryLoaders;
}

String LoadResString(const TResStringRec* ResStringRec) {
  return GLoaders.ByRecord(ResStringRec);
}

String LoadStr(int Ident) {
  return GLoaders.ById(Ident);
}

String FmtLoadStr(int Ident, std::initializer_list<TVarRec> Args) {
  return GLoaders.ByIdFormatted(Ident, Args);
}
