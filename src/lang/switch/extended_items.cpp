#include "lang/switch/extended_items.h"

#include "component/component.h"
#include "component/filer.h"
#include "core/code_page.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/lang_types.h"

String ValuesColumn(const String& Values, char16_t Delim, int Column) {
  if (Column < 1) return {};
  size_t Start = 0;
  for (int K = 1; K < Column; ++K) {
    const size_t P = Values.find(Delim, Start);
    if (P == String::npos) return {};
    Start = P + 1;
  }
  const size_t End = Values.find(Delim, Start);
  return Values.substr(Start, End == String::npos ? String::npos : End - Start);
}

const TClassType& TlcExtendedItem::StaticClassType() {
  static const TClassType T(
      u"TlcExtendedItem", &TCollectionItem::StaticClassType(), [](TClassType& C) {
        using I = TlcExtendedItem;
        TPropsOf<I>(C)
            .Str(u"Identifier", &I::Identifier, &I::SetIdentifier)
            .Ord(u"PropertyType", TypeInfoTTypeKind(), &I::PropertyType, &I::SetPropertyType)
            .Str(u"Values", &I::Values, &I::SetValues, &I::NeverStored)
            .Ord(u"IsRoot", TypeInfoBoolean(), &I::IsRoot, nullptr);
        C.Create = [](TObject* Owner) -> TObject* {
          return new TlcExtendedItem(dynamic_cast<TCollection*>(Owner));
        };
      });
  return T;
}

TlcExtendedItem::TlcExtendedItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

TComponent* TlcExtendedItem::OwnerLang() const {
  const auto* Items = dynamic_cast<const TlcExtendedItems*>(Collection());
  return Items ? Items->OwnerLang() : nullptr;
}

TComponent* TlcExtendedItem::OwnerForm() const {
  const TComponent* Lang = OwnerLang();
  return Lang ? Lang->Owner() : nullptr;
}

String TlcExtendedItem::Identifier() const {
  if (!FRelComponent) return FIdentifier;
  const size_t Dot = FIdentifier.find(u'.');
  const String Rest = Dot == String::npos ? String() : FIdentifier.substr(Dot);
  const TComponent* Form = OwnerForm();
  return (FRelComponent == Form ? Form->ClassName() : FRelComponent->Name()) + Rest;
}

bool TlcExtendedItem::IsRoot() const {
  const TComponent* Form = OwnerForm();
  return Form && Identifier().starts_with(Form->ClassName() + u".");
}

void TlcExtendedItem::SetRelComponent(TComponent* Value) {
  FRelComponent = Value;
  // A related component other than the form (which outlives the translation component) tells
  // the translation component when it goes, so the item never keeps a freed one.
  TComponent* Lang = OwnerLang();
  if (Value && Lang && Value != Lang->Owner()) Lang->FreeNotification(Value);
}

String TlcExtendedItem::DisplayName() const {
  return FIdentifier.empty() ? TCollectionItem::DisplayName() : FIdentifier;
}

void TlcExtendedItem::AssignTo(TPersistent& Dest) const {
  if (auto* D = dynamic_cast<TlcExtendedItem*>(&Dest)) {
    D->FIdentifier = FIdentifier;
    D->FValues = FValues;
    D->FPropertyType = FPropertyType;
  }
}

void TlcExtendedItem::DeclareStoredData(TFiler& Filer) {
  TCollectionItem::DeclareStoredData(Filer);
  Filer.DefineBinaryProperty(
      u"ValuesEx", [this](TStream& S) { ReadValuesEx(S); },
      [this](TStream& S) { WriteValuesEx(S); }, ValuesExHasData(Filer));
}

bool TlcExtendedItem::ValuesExHasData(const TFiler& Filer) const {
  const auto* Ancestor = dynamic_cast<const TlcExtendedItem*>(Filer.Ancestor());
  if (!Filer.Ancestor()) return !FValues.empty();
  const auto* Items = dynamic_cast<const TlcExtendedItems*>(Collection());
  const auto* Lang = Items ? dynamic_cast<const TlcCustomLang*>(Items->OwnerLang()) : nullptr;
  if (Lang && Lang->UseInheritedData()) return false;
  return !FValues.empty() && (!Ancestor || Ancestor->FValues != FValues);
}

void TlcExtendedItem::WriteValuesEx(TStream& Stream) const {
  if (FValues.empty()) return;
  Stream.WriteBytes(std::string("\xFF\xFE", 2) + Utf16LEEncode(FValues));
}

void TlcExtendedItem::ReadValuesEx(TStream& Stream) {
  std::string Bytes = Stream.ReadBytes(Stream.Size() - Stream.Position());
  if (Bytes.empty()) {
    FValues.clear();
    return;
  }
  if (Bytes.compare(0, 4, std::string("\x4F\x04\x4E\x00", 4)) == 0) {
    size_t Skip = 0;
    while (Skip < Bytes.size() && (Bytes[Skip] == '\x00' || Bytes[Skip] == '\x04' ||
                                   Bytes[Skip] == '\x4E' || Bytes[Skip] == '\x4F'))
      ++Skip;
    Bytes.erase(0, Skip);
  }
  // UTF-16 only behind the whole FF FE mark: ANSI text that merely begins with byte FF or
  // has FE second (Cyrillic text in code page 1251 can) stays ANSI.
  if (Bytes.size() >= 2 && Bytes[0] == '\xFF' && Bytes[1] == '\xFE') {
    std::string Units = Bytes.substr(2);
    if (Units.size() % 2) Units += '\0';
    FValues = Utf16LEDecode(Units);
  } else {
    FValues = AnsiToString(Bytes);
  }
}

const TClassType& TlcExtendedItems::StaticClassType() {
  static const TClassType T(u"TlcExtendedItems", &TCollection::StaticClassType());
  return T;
}

TlcExtendedItems::TlcExtendedItems(TComponent* AOwner)
    : TCollection(TlcExtendedItem::StaticClassType(), AOwner), FOwner(AOwner) {}

TlcExtendedItem* TlcExtendedItems::Add() {
  return static_cast<TlcExtendedItem*>(TCollection::Add());
}

TlcExtendedItem* TlcExtendedItems::Items(int Index) const {
  return static_cast<TlcExtendedItem*>(TCollection::Items(Index));
}

void TlcExtendedItems::LinkComponents(TComponent& Form) {
  for (int I = Count() - 1; I >= 0; --I) {
    TlcExtendedItem* Item = Items(I);
    const String Path = Item->Identifier();
    const String Root = Path.substr(0, Path.find(u'.'));
    TComponent* Related = Root == Form.ClassName() ? &Form : Form.FindComponent(Root);
    if (Related)
      Item->SetRelComponent(Related);
    else
      Delete(I);
  }
}

void TlcExtendedItems::ForgetComponent(const TComponent* AComponent) {
  for (int I = 0; I < Count(); ++I) {
    TlcExtendedItem* Item = Items(I);
    if (Item->RelComponent() != AComponent) continue;
    Item->SetIdentifier(Item->Identifier());
    Item->SetRelComponent(nullptr);
  }
}

TlcExtendedItem* TlcExtendedItems::Find(const String& Identifier) const {
  for (int I = 0; I < Count(); ++I)
    if (lcCompareText(Items(I)->Identifier(), Identifier) == 0) return Items(I);
  return nullptr;
}
