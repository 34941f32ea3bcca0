#pragma once
// Extended translations: any published property named by a property path, with one text per
// language, kept as items of the component's ExtendedTranslations collection.
#include "component/collection.h"
#include "core/rtti.h"

class TComponent;
class TStream;

class TlcExtendedItem : public TCollectionItem {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcExtendedItem(TCollection* ACollection);

  const String& Identifier() const { return FIdentifier; }
  void SetIdentifier(const String& Value) { FIdentifier = Value; }
  TTypeKind PropertyType() const { return FPropertyType; }
  void SetPropertyType(TTypeKind Value) { FPropertyType = Value; }
  // text1 D text2 D ... one column per language, no name in front.
  const String& Values() const { return FValues; }
  void SetValues(const String& Value) { FValues = Value; }
  TComponent* RelComponent() const { return FRelComponent; }
  void SetRelComponent(TComponent* Value) { FRelComponent = Value; }

  void DeclareStoredData(TFiler& Filer) override;
  String DisplayName() const override;

  // "ValuesEx": FF FE and the values in UTF-16LE; read back leniently from older layouts.
  void ReadValuesEx(TStream& Stream);
  void WriteValuesEx(TStream& Stream) const;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  bool ValuesExHasData(const TFiler& Filer) const;

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

 private:
  TComponent* FOwner;
};
