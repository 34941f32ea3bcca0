#pragma once
// A form for property paths and for collecting texts: real controls (a label, a button, a memo, a
// combo box, a status bar with panels) and a grid whose columns are collection items with a
// sub-object, a string list and a reference to another component, with a "Properties"
// sub-object of its own, and a property of every other kind a path can reach.
#include <memory>

#include "component/class_registry.h"
#include "component/collection.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/register_controls.h"
#include "ui/status_bar.h"

enum TGridMode : uint8_t { gmRows, gmCells, gmColumns };
enum TGridOption : uint8_t { goLines, goEditing, goTabs };

inline const TTypeInfo& TypeInfoTGridMode() {
  static const TTypeInfo T = EnumTypeInfo(u"TGridMode", {u"gmRows", u"gmCells", u"gmColumns"});
  return T;
}

inline const TTypeInfo& TypeInfoTGridOptions() {
  static const TTypeInfo Element =
      EnumTypeInfo(u"TGridOption", {u"goLines", u"goEditing", u"goTabs"});
  static const TTypeInfo T = SetTypeInfo(u"TGridOptions", Element);
  return T;
}

class TGridTitle : public TPersistent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TGridTitle", &TPersistent::StaticClassType(), [](TClassType& C) {
      TPropsOf<TGridTitle>(C).Str(u"Caption", &TGridTitle::Caption, &TGridTitle::SetCaption);
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }

 private:
  String FCaption;
};

class TGridColumn : public TCollectionItem {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(
        u"TGridColumn", &TCollectionItem::StaticClassType(), [](TClassType& C) {
          using G = TGridColumn;
          TPropsOf<G>(C)
              .Str(u"Caption", &G::Caption, &G::SetCaption)
              .Ord(u"Width", TypeInfoInteger(), &G::Width, &G::SetWidth, 64)
              .Obj(u"Title", TGridTitle::StaticClassType(), &G::Title, &G::SetTitle)
              .Obj(u"PickList", TStrings::StaticClassType(), &G::PickList, nullptr)
              .Obj(u"Buddy", TComponent::StaticClassType(), &G::Buddy, &G::SetBuddy);
          C.Create = [](TObject* Owner) -> TObject* {
            return new G(dynamic_cast<TCollection*>(Owner));
          };
        });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TGridColumn(TCollection* Collection) : TCollectionItem(Collection) {}

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  int Width() const { return FWidth; }
  void SetWidth(int V) { FWidth = V; }
  TGridTitle* Title() const { return FTitle.get(); }
  void SetTitle(TGridTitle* V) {
    if (V) FTitle->SetCaption(V->Caption());
  }
  TStrings* PickList() const { return FPickList.get(); }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* V) { FBuddy = V; }

 private:
  String FCaption;
  int FWidth = 64;
  std::unique_ptr<TGridTitle> FTitle = std::make_unique<TGridTitle>();
  std::unique_ptr<TStringList> FPickList = std::make_unique<TStringList>();
  TComponent* FBuddy = nullptr;
};

class TGridColumns : public TCollection {
 public:
  explicit TGridColumns(TPersistent* AOwner)
      : TCollection(TGridColumn::StaticClassType(), AOwner) {}
  TGridColumn* Column(int I) const { return static_cast<TGridColumn*>(Items(I)); }
  TGridColumn* AddColumn(const String& Caption) {
    auto* C = static_cast<TGridColumn*>(Add());
    C->SetCaption(Caption);
    return C;
  }
};

// What some components publish as "Properties": texts, a string list and a collection.
class TGridProperties : public TPersistent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(
        u"TGridProperties", &TPersistent::StaticClassType(), [](TClassType& C) {
          using P = TGridProperties;
          TPropsOf<P>(C)
              .Str(u"EmptyText", &P::EmptyText, &P::SetEmptyText)
              .Obj(u"Items", TStrings::StaticClassType(), &P::Items, nullptr)
              .Obj(u"Buttons", TCollection::StaticClassType(), &P::Buttons, nullptr);
        });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }

  const String& EmptyText() const { return FEmptyText; }
  void SetEmptyText(const String& V) { FEmptyText = V; }
  TStrings* Items() const { return FItems.get(); }
  TGridColumns* Buttons() const { return FButtons.get(); }

 private:
  String FEmptyText;
  std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
  std::unique_ptr<TGridColumns> FButtons = std::make_unique<TGridColumns>(this);
};

class TTestGrid : public TControl {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestGrid", &TControl::StaticClassType(), [](TClassType& C) {
      using G = TTestGrid;
      TPropsOf<G>(C)
          .Obj(u"Columns", TCollection::StaticClassType(), &G::Columns, nullptr)
          .Obj(u"Properties", TGridProperties::StaticClassType(), &G::Properties, nullptr)
          .Float(u"Ratio", &G::Ratio, &G::SetRatio)
          .Ord(u"Big", TypeInfoInt64(), &G::Big, &G::SetBig, 0)
          .Ord(u"Mode", TypeInfoTGridMode(), &G::Mode, &G::SetMode, gmRows)
          .Ord(u"Options", TypeInfoTGridOptions(), &G::Options, &G::SetOptions, 0)
          .Ord(u"Separator", TypeInfoWideChar(), &G::Separator, &G::SetSeparator, u';')
          .Ord(u"RowCount", TypeInfoInteger(), &G::RowCount, &G::SetRowCount, 0)
          .Obj(u"Empty", TGridTitle::StaticClassType(), &G::Empty, nullptr);
      C.Create = [](TObject* Owner) -> TObject* {
        return new TTestGrid(dynamic_cast<TComponent*>(Owner));
      };
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TTestGrid(TComponent* AOwner) : TControl(AOwner) {}

  TGridColumns* Columns() const { return FColumns.get(); }
  TGridProperties* Properties() const { return FProperties.get(); }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t V) { FBig = V; }
  TGridMode Mode() const { return FMode; }
  void SetMode(TGridMode V) { FMode = V; }
  uint8_t Options() const { return FOptions; }
  void SetOptions(uint8_t V) { FOptions = V; }
  char16_t Separator() const { return FSeparator; }
  void SetSeparator(char16_t V) { FSeparator = V; }
  int RowCount() const { return FRowCount; }
  void SetRowCount(int V) { FRowCount = V; }
  // An object property that holds no object.
  TGridTitle* Empty() const { return nullptr; }

 private:
  std::unique_ptr<TGridColumns> FColumns = std::make_unique<TGridColumns>(this);
  std::unique_ptr<TGridProperties> FProperties = std::make_unique<TGridProperties>();
  double FRatio = 0;
  int64_t FBig = 0;
  TGridMode FMode = gmRows;
  uint8_t FOptions = 0;
  char16_t FSeparator = u';';
  int FRowCount = 0;
};

class TPathTestForm : public TForm {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TPathTestForm", &TForm::StaticClassType(), [](TClassType& C) {
      C.Create = [](TObject* Owner) -> TObject* {
        return new TPathTestForm(dynamic_cast<TComponent*>(Owner));
      };
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TPathTestForm(TComponent* AOwner) : TForm(AOwner) {}

  TlcLang* Lang() const { return dynamic_cast<TlcLang*>(FindComponent(u"slng1")); }
  template <class T>
  T* Get(const char16_t* Name) const {
    return dynamic_cast<T*>(FindComponent(Name));
  }
};

inline void RegisterPathTestClasses() {
  RegisterControlClasses();
  RegisterClasses({&TPathTestForm::StaticClassType(), &TTestGrid::StaticClassType()});
}

template <class T>
T* AddControl(TForm& Form, const char16_t* Name) {
  T* C = new T(&Form);
  C->SetName(Name);
  C->SetParent(&Form);
  return C;
}

// fmPath (TPathTestForm), caption "Paths", with slng1 (two languages, English and Russian),
// Label1 "OK", Button1 "Cancel" with the hint "Close", Memo1 holding a and b, Combo1 holding
// one and two, Bar1 with the panels "Ready" and "Port", and Grid1 with the columns Name, Value
// and Note, each with a title, the first with a pick list and Label1 as its buddy.
inline TComponentPtr<TPathTestForm> MakePathTestForm() {
  TComponentPtr<TPathTestForm> F(new TPathTestForm(nullptr));
  F->SetName(u"fmPath");
  F->SetCaption(u"Paths");
  auto* Lang = new TlcLang(F.get());
  Lang->SetName(u"slng1");
  TStringList Names;
  Names.SetText(u"English\r\nRussian");
  Lang->SetLangNames(&Names);
  AddControl<TLabel>(*F, u"Label1")->SetCaption(u"OK");
  auto* Button = AddControl<TButton>(*F, u"Button1");
  Button->SetCaption(u"Cancel");
  Button->SetHint(u"Close");
  AddControl<TMemo>(*F, u"Memo1")->Lines()->SetText(u"a\r\nb");
  AddControl<TComboBox>(*F, u"Combo1")->Items()->SetText(u"one\r\ntwo");
  auto* Bar = AddControl<TStatusBar>(*F, u"Bar1");
  Bar->Panels()->Add()->SetText(u"Ready");
  Bar->Panels()->Add()->SetText(u"Port");
  auto* Grid = AddControl<TTestGrid>(*F, u"Grid1");
  for (const char16_t* Caption : {u"Name", u"Value", u"Note"})
    Grid->Columns()->AddColumn(Caption)->Title()->SetCaption(String(Caption) + u" title");
  Grid->Columns()->Column(0)->PickList()->SetText(u"x\r\ny");
  Grid->Columns()->Column(0)->SetBuddy(F->FindComponent(u"Label1"));
  return F;
}
