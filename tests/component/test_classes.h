#pragma once
// Components with a property of every kind, for the component room's tests.
#include <string>
#include <vector>

#include "component/class_registry.h"
#include "component/collection.h"
#include "component/component.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/rtti.h"
#include "core/stream.h"
#include "core/strings.h"

// What setters, FinishLoading and notifications did, in order ("Comp1.Number:loading").
inline std::vector<std::string>& EventLog() {
  static std::vector<std::string> Log;
  return Log;
}
inline void LogEvent(const TComponent& C, const std::string& What) {
  EventLog().push_back(ToUtf8(C.Name()) + "." + What + (C.HasState(csLoading) ? ":loading" : ""));
}

enum TShade : uint8_t { shRed, shGreen, shBlue };

inline const TTypeInfo& TypeInfoTShade() {
  static const TTypeInfo T = EnumTypeInfo(u"TShade", {u"shRed", u"shGreen", u"shBlue"});
  return T;
}

inline const TTypeInfo& TypeInfoTShades() {
  static const TTypeInfo T = SetTypeInfo(u"TShades", TypeInfoTShade());
  return T;
}

class TTestFont : public TPersistent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestFont", &TPersistent::StaticClassType(), [](TClassType& C) {
      TPropsOf<TTestFont>(C)
          .Str(u"Name", &TTestFont::Name, &TTestFont::SetName)
          .Ord(u"Height", TypeInfoInteger(), &TTestFont::Height, &TTestFont::SetHeight)
          .Ord(u"Style", TypeInfoTShades(), &TTestFont::Style, &TTestFont::SetStyle, 0);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }

  String Name() const { return FName; }
  void SetName(const String& V) { FName = V; }
  int Height() const { return FHeight; }
  void SetHeight(int V) { FHeight = V; }
  uint8_t Style() const { return FStyle; }
  void SetStyle(uint8_t V) { FStyle = V; }

 private:
  String FName = u"Tahoma";
  int FHeight = -11;
  uint8_t FStyle = 0;
};

class TTestItem : public TCollectionItem {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestItem", &TCollectionItem::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TTestItem(dynamic_cast<TCollection*>(Owner));
      };
      TPropsOf<TTestItem>(C)
          .Str(u"Caption", &TTestItem::Caption, &TTestItem::SetCaption)
          .Ord(u"Value", TypeInfoInteger(), &TTestItem::Value, &TTestItem::SetValue, 0);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TTestItem(TCollection* C) : TCollectionItem(C) {}

  String Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  int Value() const { return FValue; }
  void SetValue(int V) { FValue = V; }
  int Extra = 0;  // travels as the declared property "Extra"

  void Assign(const TPersistent& Source) override {
    if (const auto* S = dynamic_cast<const TTestItem*>(&Source)) {
      FCaption = S->FCaption;
      FValue = S->FValue;
      Extra = S->Extra;
    } else {
      TCollectionItem::Assign(Source);
    }
  }
  void DeclareStoredData(TFiler& Filer) override {
    TCollectionItem::DeclareStoredData(Filer);
    Filer.DefineProperty(
        u"Extra", [this](TReader& R) { Extra = R.ReadInteger(); },
        [this](TWriter& W) { W.WriteInteger(Extra); }, Extra != 0);
  }

 private:
  String FCaption;
  int FValue = 0;
};

class TTestItems : public TCollection {
 public:
  explicit TTestItems(TPersistent* AOwner) : TCollection(TTestItem::StaticClassType(), AOwner) {}
  TTestItem* Item(int I) const { return static_cast<TTestItem*>(Items(I)); }
  int Updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++Updates; }
};

// A non-visual component with a published property of every kind.
class TTestComp : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestComp", &TComponent::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TTestComp(dynamic_cast<TComponent*>(Owner));
      };
      TPropsOf<TTestComp>(C)
          .Ord(u"Number", TypeInfoInteger(), &TTestComp::Number, &TTestComp::SetNumber, 0)
          .Ord(u"Count", TypeInfoByte(), &TTestComp::Count, &TTestComp::SetCount, 7)
          .Ord(u"Big", TypeInfoInt64(), &TTestComp::Big, &TTestComp::SetBig, 0)
          .Ord(u"Flag", TypeInfoBoolean(), &TTestComp::Flag, &TTestComp::SetFlag, 0)
          .Ord(u"Shade", TypeInfoTShade(), &TTestComp::Shade, &TTestComp::SetShade, shRed)
          .Ord(u"Shades", TypeInfoTShades(), &TTestComp::Shades, &TTestComp::SetShades, 0)
          .Ord(u"Letter", TypeInfoWideChar(), &TTestComp::Letter, &TTestComp::SetLetter, u'A')
          .Float(u"Ratio", &TTestComp::Ratio, &TTestComp::SetRatio)
          .Str(u"Caption", &TTestComp::Caption, &TTestComp::SetCaption)
          .Obj(u"Lines", TStrings::StaticClassType(), &TTestComp::Lines, &TTestComp::SetLines)
          .Obj(u"Font", TTestFont::StaticClassType(), &TTestComp::Font, nullptr)
          .Obj(u"Items", TCollection::StaticClassType(), &TTestComp::Items, nullptr)
          .Obj(u"Buddy", C, &TTestComp::Buddy, &TTestComp::SetBuddy)
          .Event(u"OnClick", TypeInfoTNotifyEvent(), &TTestComp::OnClick)
          .Str(u"Hidden", &TTestComp::Caption, &TTestComp::SetCaption, &TTestComp::NeverStored);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TTestComp(TComponent* AOwner) : TComponent(AOwner) {}

  int Number() const { return FNumber; }
  void SetNumber(int V) {
    FNumber = V;
    LogEvent(*this, "Number");
  }
  uint8_t Count() const { return FCount; }
  void SetCount(uint8_t V) {
    FCount = V;
    LogEvent(*this, "Count");
  }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t V) {
    FBig = V;
    LogEvent(*this, "Big");
  }
  bool Flag() const { return FFlag; }
  void SetFlag(bool V) {
    FFlag = V;
    LogEvent(*this, "Flag");
  }
  TShade Shade() const { return FShade; }
  void SetShade(TShade V) {
    FShade = V;
    LogEvent(*this, "Shade");
  }
  uint8_t Shades() const { return FShades; }
  void SetShades(uint8_t V) {
    FShades = V;
    LogEvent(*this, "Shades");
  }
  char16_t Letter() const { return FLetter; }
  void SetLetter(char16_t V) {
    FLetter = V;
    LogEvent(*this, "Letter");
  }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) {
    FRatio = V;
    LogEvent(*this, "Ratio");
  }
  String Caption() const { return FCaption; }
  void SetCaption(const String& V) {
    FCaption = V;
    LogEvent(*this, "Caption");
  }
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* V) {
    FLines->Assign(*V);
    LogEvent(*this, "Lines");
  }
  TTestFont* Font() const { return FFont.get(); }
  TTestItems* Items() const { return FItems.get(); }
  TTestComp* Buddy() const { return FBuddy; }
  void SetBuddy(TTestComp* V) {
    FBuddy = V;
    if (V) V->FreeNotification(this);
    LogEvent(*this, "Buddy");
  }

  TNotifyEvent OnClick;
  std::string Data;                          // the binary declared property "Data"
  int64_t DataPosition = -1, DataSize = -1;  // what its reader was handed
  int FinishCount = 0;
  int Notified = 0;  // calls of Notification

  void FinishLoading() override {
    ++FinishCount;
    LogEvent(*this, "Finish");
    TComponent::FinishLoading();
  }
  void DeclareStoredData(TFiler& Filer) override {
    TComponent::DeclareStoredData(Filer);
    Filer.DefineBinaryProperty(
        u"Data",
        [this](TStream& S) {
          DataPosition = S.Position();
          DataSize = S.Size();
          Data = S.ReadBytes(S.Size());
        },
        [this](TStream& S) { S.WriteBytes(Data); }, HasData(Filer.Ancestor()));
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    ++Notified;
    if (Operation == TOperation::opRemove && AComponent == FBuddy) FBuddy = nullptr;
  }

 private:
  bool NeverStored() const { return false; }
  bool HasData(const TPersistent* Ancestor) const {
    const auto* A = dynamic_cast<const TTestComp*>(Ancestor);
    return A ? A->Data != Data : !Data.empty();
  }

  int FNumber = 0;
  uint8_t FCount = 1;
  int64_t FBig = 0;
  bool FFlag = false;
  TShade FShade = shRed;
  uint8_t FShades = 0;
  char16_t FLetter = u'A';
  double FRatio = 0;
  String FCaption;
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
  std::unique_ptr<TTestItems> FItems = std::make_unique<TTestItems>(this);
  TTestComp* FBuddy = nullptr;
};

// A control-like component: written as a child of its parent, which lists it.
class TTestControl : public TTestComp {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestControl", &TTestComp::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TTestControl(dynamic_cast<TComponent*>(Owner));
      };
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TTestComp::TTestComp;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* P) override {
    FParent = P;
    if (P) P->FreeNotification(this);
  }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override {
    for (int I = 0; I < Root->ComponentCount(); ++I)
      if (Root->Components(I)->GetParentComponent() == this) Proc(Root->Components(I));
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TTestComp::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FParent) FParent = nullptr;
  }

 private:
  TComponent* FParent = nullptr;
};

// A form: the root of an image, with published fields and a published event handler.
class TTestForm : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestForm", &TComponent::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TTestForm(dynamic_cast<TComponent*>(Owner));
      };
      TPropsOf<TTestForm>(C)
          .Str(u"Caption", &TTestForm::Caption, &TTestForm::SetCaption)
          .Method(u"ButtonClick", &TTestForm::ButtonClick)
          .Method(u"Refresh", &TTestForm::Refresh)
          .Field(u"Comp1", &TTestForm::Comp1)
          .Field(u"Panel1", &TTestForm::Panel1)
          .Field(u"Button1", &TTestForm::Button1);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TTestForm(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

  String Caption() const { return FCaption; }
  void SetCaption(const String& V) {
    FCaption = V;
    LogEvent(*this, "Caption");
  }
  void ButtonClick(TObject* Sender) { LastSender = Sender; }
  void Refresh() {}  // not a notify handler

  TTestComp* Comp1 = nullptr;
  TTestControl* Panel1 = nullptr;
  TTestControl* Button1 = nullptr;
  TObject* LastSender = nullptr;
  int FinishCount = 0;
  // "opInsert Name" / "opRemove Name ClassName", recorded while the component is intact.
  std::vector<std::string> Notes;

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override {
    TComponent::GetChildren(Proc, Root);
    for (int I = 0; I < ComponentCount(); ++I)
      if (Components(I)->GetParentComponent() == this) Proc(Components(I));
  }
  void FinishLoading() override {
    ++FinishCount;
    LogEvent(*this, "Finish");
    TComponent::FinishLoading();
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opInsert) {
      Notes.push_back("opInsert");
    } else {
      Notes.push_back("opRemove " + ToUtf8(AComponent->Name()) + " " +
                      ToUtf8(AComponent->ClassName()));
      if (AComponent == Comp1) Comp1 = nullptr;
      if (AComponent == Panel1) Panel1 = nullptr;
      if (AComponent == Button1) Button1 = nullptr;
    }
  }

 private:
  String FCaption;
};

inline void RegisterTestClasses() {
  RegisterClasses({&TTestComp::StaticClassType(), &TTestControl::StaticClassType(),
                   &TTestForm::StaticClassType()});
}

inline std::string ImageOf(TComponent& Root, TComponent* Ancestor = nullptr) {
  TMemoryStream S;
  WriteComponent(S, Root, Ancestor);
  return S.Bytes();
}
