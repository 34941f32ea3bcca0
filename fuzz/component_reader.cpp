// Feeds arbitrary bytes to the component reader, the binary-to-text converter and the text
// parser. Failures must be exceptions: no crash, no hang, no allocation beyond the input.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "component/class_registry.h"
#include "component/collection.h"
#include "component/component.h"
#include "component/object_text.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/rtti.h"
#include "core/stream.h"
#include "core/strings.h"

namespace {

const TTypeInfo& TypeInfoFuzzKind() {
  static const TTypeInfo T = EnumTypeInfo(u"TFuzzKind", {u"fkOne", u"fkTwo", u"fkThree"});
  return T;
}

const TTypeInfo& TypeInfoFuzzKinds() {
  static const TTypeInfo T = SetTypeInfo(u"TFuzzKinds", TypeInfoFuzzKind());
  return T;
}

const TTypeInfo& TypeInfoFuzzEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TNotifyEvent");
  return T;
}

class TFuzzItem : public TCollectionItem {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TFuzzItem", &TCollectionItem::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TFuzzItem(dynamic_cast<TCollection*>(Owner));
      };
      TPropsOf<TFuzzItem>(C)
          .Str(u"Text", &TFuzzItem::Text, &TFuzzItem::SetText)
          .Ord(u"Value", TypeInfoInteger(), &TFuzzItem::Value, &TFuzzItem::SetValue, 0);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TFuzzItem(TCollection* C) : TCollectionItem(C) {}

  String Text() const { return FText; }
  void SetText(const String& V) { FText = V; }
  int Value() const { return FValue; }
  void SetValue(int V) { FValue = V; }

 private:
  String FText;
  int FValue = 0;
};

class TFuzzComp : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TFuzzComp", &TComponent::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TFuzzComp(dynamic_cast<TComponent*>(Owner));
      };
      TPropsOf<TFuzzComp>(C)
          .Ord(u"Number", TypeInfoInteger(), &TFuzzComp::Number, &TFuzzComp::SetNumber, 0)
          .Ord(u"Big", TypeInfoInt64(), &TFuzzComp::Big, &TFuzzComp::SetBig)
          .Ord(u"Flag", TypeInfoBoolean(), &TFuzzComp::Flag, &TFuzzComp::SetFlag, 0)
          .Ord(u"Kind", TypeInfoFuzzKind(), &TFuzzComp::Kind, &TFuzzComp::SetKind, 0)
          .Ord(u"Kinds", TypeInfoFuzzKinds(), &TFuzzComp::Kinds, &TFuzzComp::SetKinds, 0)
          .Ord(u"Letter", TypeInfoWideChar(), &TFuzzComp::Letter, &TFuzzComp::SetLetter, 0)
          .Float(u"Ratio", &TFuzzComp::Ratio, &TFuzzComp::SetRatio)
          .Str(u"Caption", &TFuzzComp::Caption, &TFuzzComp::SetCaption)
          .Obj(u"Lines", TStrings::StaticClassType(), &TFuzzComp::Lines, &TFuzzComp::SetLines)
          .Obj(u"Items", TCollection::StaticClassType(), &TFuzzComp::Items, nullptr)
          .Obj(u"Buddy", C, &TFuzzComp::Buddy, &TFuzzComp::SetBuddy)
          .Event(u"OnClick", TypeInfoFuzzEvent(), &TFuzzComp::OnClick)
          .Method(u"Clicked", &TFuzzComp::Clicked);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TFuzzComp(TComponent* AOwner) : TComponent(AOwner) {}

  int Number() const { return FNumber; }
  void SetNumber(int V) { FNumber = V; }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t V) { FBig = V; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool V) { FFlag = V; }
  int Kind() const { return FKind; }
  void SetKind(int V) { FKind = V; }
  int Kinds() const { return FKinds; }
  void SetKinds(int V) { FKinds = V; }
  char16_t Letter() const { return FLetter; }
  void SetLetter(char16_t V) { FLetter = V; }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  String Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* V) { FLines->Assign(*V); }
  TCollection* Items() const { return FItems.get(); }
  TFuzzComp* Buddy() const { return FBuddy; }
  void SetBuddy(TFuzzComp* V) {
    if (V) V->FreeNotification(this);
    FBuddy = V;
  }
  void Clicked(TObject*) {}
  TNotifyEvent OnClick;

  void DeclareStoredData(TFiler& Filer) override {
    TComponent::DeclareStoredData(Filer);
    Filer.DefineBinaryProperty(
        u"Blob", [this](TStream& S) { FBlob = S.ReadBytes(S.Size()); },
        [this](TStream& S) { S.WriteBytes(FBlob); }, !FBlob.empty());
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FBuddy) FBuddy = nullptr;
  }

 private:
  int FNumber = 0;
  int64_t FBig = 0;
  bool FFlag = false;
  int FKind = 0;
  int FKinds = 0;
  char16_t FLetter = 0;
  double FRatio = 0;
  String FCaption;
  std::string FBlob;
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> FItems =
      std::make_unique<TCollection>(TFuzzItem::StaticClassType(), this);
  TFuzzComp* FBuddy = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Registered = (RegisterClass(TFuzzComp::StaticClassType()), true);
  (void)Registered;
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  try {
    TMemoryStream In(Bytes);
    TComponentPtr<TComponent> Root = ReadComponentOwned(In);
    TMemoryStream Again;
    WriteComponent(Again, *Root);
  } catch (const Exception&) {
  }
  try {
    TFuzzComp Instance(nullptr);
    TMemoryStream In(Bytes);
    ReadComponent(In, &Instance);
  } catch (const Exception&) {
  }
  try {
    TMemoryStream In(Bytes), Out;
    ObjectBinaryToText(In, Out);
  } catch (const Exception&) {
  }
  try {
    TMemoryStream In(Bytes), Out;
    ObjectTextToBinary(In, Out);
  } catch (const Exception&) {
  }
  return 0;
}
