#pragma once
// Extended translations: any published property named by a property path, with one text per
// language, kept as items of the component's ExtendedTranslations collection.
#include "component/collection.h"
#include "core/rtti.h"

class TComponent;
class TStream;

// Column K (from 1) of an item's values: the text between its (K-1)-th and K-th delimiter, or
// up to the end when the column has no closing delimiter; "" beyond the last column. An empty
// first column counts as a column of its own.
String ValuesColumn(const String& Values, char16_t Delim, int Column);

class TlcExtendedItem : public TCollectionItem {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcExtendedItem(TCollection* ACollection);

  // The path: the stored one, or, once a related component is linked, the stored path from its
  // first "." on behind that component's current name (the owner form's class name for the
  // form), so renaming a component renames its paths.
  String Identifier() const;
  void SetIdentifier(const String& Value) { FIdentifier = Value; }
  const String& StoredIdentifier() const { return FIdentifier; }
  // Whether the path starts at the owner form (its class name and ".").
  bool IsRoot() const;
  TTypeKind PropertyType() const { return FPropertyType; }
  void SetPropertyType(TTypeKind Value) { FPropertyType = Value; }
  // text1 D text2 D ... one column per language, no name in front.
  const String& Values() const { return FValues; }
  void SetValues(const String& Value) { FValues = Value; }
  TComponent* RelComponent() const { return FRelComponent; }
  void SetRelComponent(TComponent* Value);

  void DeclareStoredData(TFiler& Filer) override;
  String DisplayName() const override;

  // "ValuesEx": FF FE and the values in UTF-16LE; read back leniently from older layouts.
  void ReadValuesEx(TStream& Stream);
  void WriteValuesEx(TStream& Stream) const;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  bool ValuesExHasData(const TFiler& Filer) const;
  TComponent* OwnerLang() const;
  TComponent* OwnerForm() const;
  bool NeverStored() const { return false; }  // "ValuesEx" carries the values

  String FIdentifier;
  String FValues;
  TTypeKind FPropertyType = tkUnknown;
  TComponent* FRelComponent = nullptr;
};

class TlcExtendedItems : public TCollection {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcExtendedItems(TComponent* AOwner);

  TlcExtendedItem* Add();
  TlcExtendedItem* Items(int Index) const;
  TlcExtendedItem* Find(const String& Identifier) const;  // ignoring ASCII case
  TComponent* OwnerLang() const { return FOwner; }
  // Relates every item to the component its path starts at: the form for a path that begins
  // with the form's class name, else the form's component named by the first segment; an item
  // whose component the form does not have is freed.
  void LinkComponents(TComponent& Form);
  // A component is going away: the items related to it keep the path they show and no longer
  // refer to it.
  void ForgetComponent(const TComponent* AComponent);

 private:
  TComponent* FOwner;
};
