#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "lang/path_test_form.h"
#include "lang/switch/property_path.h"

namespace {

class PropertyPath : public ::testing::Test {
 protected:
  void SetUp() override { RegisterPathTestClasses(); }
  TComponentPtr<TPathTestForm> Form = MakePathTestForm();
  TTestGrid* Grid() const { return Form->Get<TTestGrid>(u"Grid1"); }
  TObject* Resolve(const char16_t* Path) const { return ObjectByPath(Form.get(), Path); }
};

TEST_F(PropertyPath, RootsSubObjectsAndCollectionItems) {
  EXPECT_EQ(Resolve(u"TPathTestForm.Caption"), Form.get());
  EXPECT_EQ(Resolve(u"TPathTestForm.Font.Name"), Form->Font());
  EXPECT_EQ(Resolve(u"button1.Hint"), Form->FindComponent(u"Button1"));
  EXPECT_EQ(Resolve(u"Button1.font.Name"), Form->Get<TButton>(u"Button1")->Font());
  EXPECT_EQ(Resolve(u"Grid1.Columns[2].Caption"), Grid()->Columns()->Items(2));
  EXPECT_EQ(Resolve(u"Grid1.Columns[1].Title.Caption"), Grid()->Columns()->Column(1)->Title());
  EXPECT_EQ(Resolve(u"Bar1.Panels[1].Text"), Form->Get<TStatusBar>(u"Bar1")->Panels()->Items(1));
  TGridColumn* Go = Grid()->Properties()->Buttons()->AddColumn(u"Go");
  EXPECT_EQ(Resolve(u"Grid1.Properties.Buttons[0].Caption"), Go);
}

TEST_F(PropertyPath, WhatResolvesToNoObject) {
  // The form's class name counts only in its own case; any other root is a component name.
  EXPECT_EQ(Resolve(u"TPATHTESTFORM.Caption"), nullptr);
  EXPECT_EQ(Resolve(u"Button1"), nullptr);  // only a component name, without "."
  EXPECT_EQ(Resolve(u"Button9.Caption"), nullptr);
  EXPECT_EQ(Resolve(u"Button1.Missing.Name"), nullptr);
  EXPECT_EQ(Resolve(u"Grid1.Empty.Caption"), nullptr);     // a property that holds no object
  EXPECT_EQ(Resolve(u"Grid1.RowCount.Caption"), nullptr);  // a plain value is no object
  EXPECT_EQ(ObjectByPath(nullptr, u"Button1.Caption"), nullptr);
}

TEST_F(PropertyPath, WhatRaises) {
  // Going on past a segment that gave no object.
  try {
    Resolve(u"Grid1.Empty.Sub.Caption");
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"NIL passed as AObject in TlcPropInfoList.Create!");
  }
  EXPECT_THROW(Resolve(u"Button1.Missing.Sub.Name"), Exception);
  EXPECT_THROW(Resolve(u"Grid1.Columns[x].Caption"), EConvertError);
  EXPECT_THROW(Resolve(u"Grid1.Columns.Caption"), EConvertError);
  EXPECT_THROW(Resolve(u"Grid1.Columns[3].Caption"), EListError);
  EXPECT_THROW(Resolve(u"Grid1.Columns[-1].Caption"), EListError);
}

TEST_F(PropertyPath, TheLastSegmentNamesTheProperty) {
  EXPECT_EQ(PathPropertyName(u"Grid1.Columns[1].Title.Caption"), u"Caption");
  const TPropInfo* P = PathProperty(Resolve(u"Grid1.Columns[0].caption"), u"x.caption");
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->Name, u"Caption");
  EXPECT_EQ(PathProperty(Form.get(), u"TPathTestForm.NoSuch"), nullptr);
  EXPECT_EQ(PathProperty(nullptr, u"Button1.Caption"), nullptr);
}

}  // namespace
