#include <algorithm>

#include "core/exceptions.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"

namespace {

// Where language L stands after the column From has moved to To.
int MovedLanguage(int L, int From, int To) {
  if (L == From) return To;
  if (From < To && L > From && L <= To) return L - 1;
  if (To < From && L >= To && L < From) return L + 1;
  return L;
}

}  // namespace

bool TlcCustomLang::AddString(const String& ID, std::initializer_list<String> Texts) {
  return AddString(ID, std::span<const String>(Texts.begin(), Texts.size()));
}

bool TlcCustomLang::AddString(const String& ID, std::span<const String> Texts) {
  const char16_t D = FLangDelim;
  const size_t Used = std::min(Texts.size(), static_cast<size_t>(FNumLang));
  // A delimiter inside the identifier or a text would split the line into other fields.
  if (ID.find(D) != String::npos ||
      std::any_of(Texts.begin(), Texts.begin() + static_cast<std::ptrdiff_t>(Used),
                  [D](const String& T) { return T.find(D) != String::npos; }))
    return false;
  try {
    const int Old = FindStringLine(ID);
    if (Old >= 0) FStrings->Delete(Old);
    String Line = ID + D;
    TStringList Values;
    for (int K = 0; K < FNumLang; ++K) {
      const String Text = static_cast<size_t>(K) < Used ? Texts[static_cast<size_t>(K)] : String();
      Line += Text + D;
      Values.Add(Text);
    }
    FStrings->Add(Line);
    FStringsColl->Add(ID)->SetValues(Values);
    FStringsColl->Sort(false);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TlcCustomLang::DeleteString(const String& TextID) {
  const int Index = FindStringLine(TextID);
  if (Index < 0) return false;
  FStrings->Delete(Index);
  UpdateStrCollections();
  return true;
}

String TlcCustomLang::GetStringID(int Index) const {
  if (Index < 0 || Index >= FStrings->Count()) throw EListError(u"List index is out of bounds!");
  return GetField(FStrings->Get(Index), FLangDelim, 0);
}

int TlcCustomLang::GetIDIndex(const String& ID) const {
  for (int I = 0; I < FStrings->Count(); ++I) {
    const String& Line = FStrings->Get(I);
    const size_t P = Line.find(static_cast<char16_t>(FLangDelim));
    if (lcCompareText(std::u16string_view(Line).substr(0, P), ID) == 0) return I;
  }
  return -1;
}

int TlcCustomLang::FindStringLine(const String& ID) const {
  const String Prefix = ID + static_cast<char16_t>(FLangDelim);
  for (int I = 0; I < FStrings->Count(); ++I)
    if (FStrings->Get(I).starts_with(Prefix)) return I;
  return -1;
}

void TlcCustomLang::CheckLanguageNumber(int Value, int Last) const {
  if (Value >= 1 && Value <= Last) return;
  if (Owner())
    throw ELanguageError(
        Format(SOwnerRangeMessage, {OwnerClassName(), int64_t{Value}, int64_t{Last}}));
  throw ELanguageError(Format(SRangeMessage, {int64_t{Value}, int64_t{Last}}));
}

void TlcCustomLang::MoveLanguage(int FromIndex, int ToIndex) {
  CheckLanguageNumber(FromIndex, FNumLang);
  CheckLanguageNumber(ToIndex, FNumLang);
  const char16_t D = FLangDelim;
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat));
    if (!List) continue;
    NormalizeList(*List);
    MoveLangColumnInList(*List, FromIndex, ToIndex, FLangDelim);
  }
  for (int I = 0; I < FExtendedTranslations->Count(); ++I) {
    TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    const String Old = Item->Values();
    String New;
    for (int K = 1; K <= FNumLang; ++K) {
      // The old column that lands on position K.
      int From = K;
      for (int C = 1; C <= FNumLang; ++C)
        if (MovedLanguage(C, FromIndex, ToIndex) == K) From = C;
      New += ValuesColumn(Old, D, From) + D;
    }
    Item->SetValues(New);
  }
  FLangNames->Move(FromIndex - 1, ToIndex - 1);
  LanguagesRenumbered([=](int L) { return MovedLanguage(L, FromIndex, ToIndex); });
}

void TlcCustomLang::DeleteLanguage(int Index) {
  CheckLanguageNumber(Index, FNumLang);
  if (FNumLang == 1) throw ELanguageError(u"The only language cannot be deleted!");
  const char16_t D = FLangDelim;
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat));
    if (!List) continue;
    NormalizeList(*List);
    for (int I = List->Count() - 1; I >= 0; --I) {
      // The column goes and an empty one takes the last place; that one goes too, so the line
      // holds one text per remaining language.
      String Line = DeleteLangColumn(List->Get(I), Index, FLangDelim);
      if (Line.ends_with(String(2, D))) Line.pop_back();
      List->Put(I, Line);
    }
  }
  for (int I = 0; I < FExtendedTranslations->Count(); ++I) {
    TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    const String Old = Item->Values();
    String New;
    for (int K = 1; K <= FNumLang; ++K)
      if (K != Index) New += ValuesColumn(Old, D, K) + D;
    Item->SetValues(New);
  }
  FLangNames->Delete(Index - 1);
  --FNumLang;
  LanguagesRenumbered([=, this](int L) { return L > Index ? L - 1 : std::min(L, FNumLang); });
}

void TlcCustomLang::InsertLanguage(int Index, const String& ALanguage) {
  CheckLanguageNumber(Index, FNumLang + 1);
  const int N = FNumLang;
  SetNumOfLanguages(N + 1);
  FLangNames->Put(N, ALanguage);
  MoveLanguage(N + 1, Index);
}

void TlcCustomLang::ClearTranslations() {
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat)
    if (TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat))) List->Clear();
  FExtendedTranslations->Clear();
  UpdateStrCollections();
}

void TlcCustomLang::LanguagesRenumbered(const std::function<int(int)>& NewNumber) {
  // The active, default and resource languages stay with their texts.
  FActLang = NewNumber(FActLang);
  FDefaultLanguage = NewNumber(FDefaultLanguage);
  FResourceLanguageIndex = static_cast<uint16_t>(NewNumber(FResourceLanguageIndex));
  FLanguage = FLangNames->Get(FActLang - 1);
  UpdateStrCollections();
  RefreshCurrentCharset();
}
