// Reading and writing the texts of published properties, as the language switch does.
#include <algorithm>

#include "component/prop_text.h"
#include "core/code_page.h"
#include "lang/custom_lang.h"
#include "lang/switch/prop_info_list.h"

TSetTextPropHook SetTextPropHook;

namespace {

// A character property reads as its one character and takes a text of one character.
bool IsCharProp(const TPropInfo& Prop) {
  return Prop.PropType->Kind == tkChar || Prop.PropType->Kind == tkWChar;
}

const TFont* PublishedFont(const TComponent* Component) {
  const TPropInfo* P = FindPublishedProp(Component, u"Font", ClassKinds);
  return P && P->GetObj ? dynamic_cast<const TFont*>(P->GetObj(*Component)) : nullptr;
}

}  // namespace

String TlcCustomLang::GetStrPropByName(const TComponent* Component, const String& AName) const {
  const TPropInfo* P = FindPublishedProp(Component, AName, AllButEventKinds);
  return P ? GetPropText(*Component, *P) : String();
}

String TlcCustomLang::GetComponentFont(const TComponent* Component) const {
  const TFont* F = PublishedFont(Component);
  return F ? F->Name() : String();
}

TFontCharset TlcCustomLang::GetComponentCharset(const TComponent* Component) const {
  const TFont* F = PublishedFont(Component);
  return F ? F->Charset() : 0;
}

void TlcCustomLang::SetStrPropByName(TComponent* Component, const String& AName,
                                     const String& Text) {
  if (const TPropInfo* P = FindPublishedProp(Component, AName, AllButEventKinds))
    SetTextProp(Component, *P, Text);
}

void TlcCustomLang::SetTextProp(TObject* Obj, const TPropInfo& Prop, const String& Text) {
  const bool Char = IsCharProp(Prop) && Prop.SetOrd;
  if (!Obj || (!Prop.SetStr && !Char)) return;
  String T = Text;
  if (SetTextPropHook) SetTextPropHook(Obj, Prop, T);
  if (Char)
    SetPropText(*Obj, Prop, T);
  else
    Prop.SetStr(*Obj, T);
}

String TlcCustomLang::GetStringPropText(const TObject* Obj, const TPropInfo& Prop) const {
  if (Obj && IsCharProp(Prop)) return Prop.GetOrd ? GetPropText(*Obj, Prop) : String();
  if (!Obj || !Prop.GetStr) return {};
  const String S = Prop.GetStr(*Obj);
  const TTypeKind Kind = Prop.PropType->Kind;
  // Stored as UTF-8, a text reads back as its UTF-8 round trip gives it; only a lone surrogate
  // fares differently there, so texts without surrogates are taken as they are.
  const bool Surrogates =
      std::any_of(S.begin(), S.end(), [](char16_t C) { return C >= 0xD800 && C <= 0xDFFF; });
  if (FStoreAsUTF8 && Surrogates && (Kind == tkWString || Kind == tkUString))
    return Utf8DecodeReplacing(Utf8Encode(S));
  return S;
}

bool TlcCustomLang::IsValueFromAction(const TComponent* Component, int Kind) const {
  if (FOverrideActionsValues || !Component || (Kind != 0 && Kind != 1)) return false;
  const TPropInfo* ActionProp = FindPublishedProp(Component, u"Action", ClassKinds);
  const TObject* Action =
      ActionProp && ActionProp->GetObj ? ActionProp->GetObj(*Component) : nullptr;
  if (!Action) return false;
  const String Name = Kind == 0 ? u"Caption" : u"Hint";
  // A component or an action without that text supplies none.
  const TPropInfo* Own = FindPublishedProp(Component, Name, StringKinds);
  const TPropInfo* Supplied = FindPublishedProp(Action, Name, StringKinds);
  return Own && Supplied &&
         GetStringPropText(Component, *Own) == GetStringPropText(Action, *Supplied);
}

bool TlcCustomLang::IsOwnerTranslatable() const {
  return FDoNotList->IndexOf(OwnerClassName()) < 0;
}

bool TlcCustomLang::IsNotTranslated(std::u16string_view CompName) const {
  return FDoNotList->Count() > 0 && FDoNotList->IndexOf(String(CompName)) >= 0;
}

bool TlcCustomLang::IsClassNotTranslated(const TComponent& Component) const {
  // "!TLabel" names every component of that class, the class name matched exactly.
  String Scratch;
  for (int I = 0; I < FDoNotList->Count(); ++I) {
    const std::u16string_view Entry = FDoNotList->View(I, Scratch);
    if (Entry.starts_with(u"!T") && Entry.substr(1) == Component.ClassName()) return true;
  }
  return false;
}
