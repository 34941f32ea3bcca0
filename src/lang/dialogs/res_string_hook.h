#pragma once
// The resource-string hook. While a translation component holds it, every resource string the
// process loads (by record, by identifier, or by identifier with formatting) comes back in the
// component's active language: the Strings entry whose text in the resource language equals
// the loaded text, exactly, gives its text in the active language. The hook replaces the
// process-wide loaders when a component takes it and puts back the ones it replaced when that
// component goes.
#include <initializer_list>

#include "core/res_strings.h"

class TlcCustomLang;

// The component that holds the hook; null when none does.
TlcCustomLang* ResStringHookComponent();
// Component takes the hook and the translating loaders replace the ones in force.
void InstallResStringHook(TlcCustomLang& Component);
// When Component holds the hook, it lets go, and the loaders it replaced come back.
void RemoveResStringHook(const TlcCustomLang& Component);

// When not 0, an identifier up to it is first looked up under the Strings key "IDS_RES_" and
// the identifier in decimal. Nothing in the library changes it.
extern int ResStringIdentLimit;

// The translating loaders. The text is loaded into a buffer of 1024 characters, so a longer one
// comes back cut to 1023.
String lcLoadResString(const TResStringRec* ResStringRec);
String lcLoadStr(int Ident);
String lcFmtLoadStr(int Ident, std::initializer_list<TVarRec> Args);
