#include "lang/dialogs/res_string_hook.h"

#include "core/restore.h"
#include "lang/custom_lang.h"
#include "lang/table/strings_collection.h"

int ResStringIdentLimit = 0;

namespace {

TlcCustomLang* GHookComponent = nullptr;
TResStringLoaders GReplaced{};
bool GTranslating = false;

constexpr TResStringLoaders HookLoaders{&lcLoadResString, &lcLoadStr, &lcFmtLoadStr};

bool HookInForce() {
  return ResStringLoaders().ByRecord == HookLoaders.ByRecord;
}

String Translate(const String& Loaded, uintptr_t Identifier) {
  const TlcCustomLang* C = GHookComponent;
  // A text loaded while a translation is looked up (a message of the look-up's own error)
  // comes back as it is, so the look-up cannot call itself without end.
  if (!C || C->ResourceLanguageIndex() == C->ActiveLanguage() || GTranslating) return Loaded;
  const TRestore<bool> Busy(GTranslating, true);
  String T;
  try {
    if (ResStringIdentLimit != 0 && Identifier < ResIdentifierBound &&
        Identifier <= static_cast<uintptr_t>(ResStringIdentLimit))
      T = C->GetTextFrom(*C->Strings(), u"IDS_RES_" + IntToStr(static_cast<int64_t>(Identifier)),
                         false, true);
    if (T.empty()) T = C->LangStringsColl()->GetTranslationByLang(Loaded, C->ActiveLanguage());
  } catch (const Exception&) {
    // A text without a usable translation is shown as loaded.
    return Loaded;
  }
  return T.empty() ? Loaded : T;
}

}  // namespace

TlcCustomLang* ResStringHookComponent() {
  return GHookComponent;
}

void InstallResStringHook(TlcCustomLang& Component) {
  GHookComponent = &Component;
  if (!HookInForce()) GReplaced = SetResStringLoaders(HookLoaders);
}

void RemoveResStringHook(const TlcCustomLang& Component) {
  if (GHookComponent != &Component) return;
  GHookComponent = nullptr;
  // Loaders put in place after the hook's stay; they may hand on to the hook, which then
  // translates nothing.
  if (HookInForce()) SetResStringLoaders(GReplaced);
}

String lcLoadResString(const TResStringRec* ResStringRec) {
  if (!ResStringRec) return {};
  String Loaded;
  if (ResStringRec->Identifier < ResIdentifierBound) {
    if (ResStringRec->Module)
      Loaded = LoadStringW(FindResourceHInstance(*ResStringRec->Module),
                           static_cast<uint16_t>(ResStringRec->Identifier), 1024);
  } else {
    Loaded = reinterpret_cast<const char16_t*>(ResStringRec->Identifier);
  }
  return Translate(Loaded, ResStringRec->Identifier);
}

String lcLoadStr(int Ident) {
  // Only a table identifier: a number is never taken for a text's address.
  if (Ident < 0 || static_cast<uintptr_t>(Ident) >= ResIdentifierBound) return {};
  const TResStringRec Rec{&HInstance(), static_cast<uintptr_t>(Ident)};
  return lcLoadResString(&Rec);
}

String lcFmtLoadStr(int Ident, std::initializer_list<TVarRec> Args) {
  return Format(lcLoadStr(Ident), Args);
}
