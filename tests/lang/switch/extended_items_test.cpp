#include <gtest/gtest.h>

#include "component/reader.h"
#include "component/writer.h"
#include "core/code_page.h"
#include "core/stream.h"
#include "lang/lang_test_support.h"
#include "lang/path_test_form.h"
#include "lang/switch/extended_items.h"

namespace {

std::string Bytes(std::initializer_list<int> List) {
  std::string S;
  for (int B : List) S += static_cast<char>(B);
  return S;
}

std::string WriteValuesEx(const String& Values) {
  TlcExtendedItems Items(nullptr);
  TlcExtendedItem* Item = Items.Add();
  Item->SetValues(Values);
  TMemoryStream S;
  Item->WriteValuesEx(S);
  return S.Bytes();
}

String ReadValuesEx(const std::string& Data) {
  TlcExtendedItems Items(nullptr);
  TlcExtendedItem* Item = Items.Add();
  Item->SetValues(u"old");
  TMemoryStream S(Data);
  Item->ReadValuesEx(S);
  return Item->Values();
}

std::string WriteForm(TComponent& Form) {
  TMemoryStream S;
  WriteComponent(S, Form);
  return S.Bytes();
}

class ExtendedItems : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPathTestClasses();
    SetACP(1251);
  }
  void TearDown() override { SetACP(0); }
};

TEST_F(ExtendedItems, ValuesExIsMarkedUtf16AndReadsBack) {
  EXPECT_EQ(WriteValuesEx(L("ab|")), Bytes({0xFF, 0xFE, 0x61, 0, 0x62, 0, 0x01, 0}));
  EXPECT_EQ(WriteValuesEx(u""), "");
  EXPECT_EQ(ReadValuesEx(WriteValuesEx(L("Да|Yes|"))), L("Да|Yes|"));
  EXPECT_EQ(ReadValuesEx(""), u"");
  EXPECT_EQ(ReadValuesEx(Bytes({0xFF, 0xFE})), u"");
  // An odd last byte is a character of its own with a high byte of zero.
  EXPECT_EQ(ReadValuesEx(Bytes({0xFF, 0xFE, 0x41, 0, 0x42})), u"AB");
}

TEST_F(ExtendedItems, ValuesExWithoutTheFullMarkIsAnsiText) {
  EXPECT_EQ(ReadValuesEx("ab\x01"), L("ab|"));
  // Cyrillic in code page 1251 may begin with byte FF ("я") or have FE second ("ую"): still text.
  EXPECT_EQ(ReadValuesEx("\xFF\xE1\xEB\xEE\xEA\xEE\x01"), L("яблоко|"));
  EXPECT_EQ(ReadValuesEx("\xF3\xFE\x01"), L("ую|"));
  EXPECT_EQ(ReadValuesEx("\xFF"), u"я");
  // A leading run of 4F 04 4E 00 bytes (and 00, 04, 4E, 4F after it) is dropped first.
  EXPECT_EQ(ReadValuesEx(Bytes({0x4F, 0x04, 0x4E, 0x00, 0x04, 0xFF, 0xFE, 0x41, 0})), u"A");
  EXPECT_EQ(ReadValuesEx(Bytes({0x4F, 0x04, 0x4E, 0x00, 'x'})), u"x");
  EXPECT_EQ(ReadValuesEx(Bytes({0x4F, 0x04, 0x4E, 0x00, 0x4F, 0x4E})), u"");
  EXPECT_EQ(ReadValuesEx(Bytes({0x4F, 0x04, 0x4E})), String(u"O") + u'\x04' + u"N");
}

TEST_F(ExtendedItems, IdentifierFollowsTheRelatedComponent) {
  auto Form = MakePathTestForm();
  TlcExtendedItems* Items = Form->Lang()->ExtendedTranslations();
  TlcExtendedItem* OnButton = Items->Add();
  OnButton->SetIdentifier(u"Button1.Hint");
  TlcExtendedItem* OnForm = Items->Add();
  OnForm->SetIdentifier(u"TPathTestForm.Caption");
  EXPECT_FALSE(OnButton->IsRoot());
  EXPECT_TRUE(OnForm->IsRoot());

  OnButton->SetRelComponent(Form->FindComponent(u"Button1"));
  OnForm->SetRelComponent(Form.get());
  Form->FindComponent(u"Button1")->SetName(u"btnClose");
  EXPECT_EQ(OnButton->Identifier(), u"btnClose.Hint");
  EXPECT_EQ(OnButton->StoredIdentifier(), u"Button1.Hint");
  EXPECT_EQ(OnForm->Identifier(), u"TPathTestForm.Caption");
  EXPECT_EQ(Items->Find(u"BTNCLOSE.hint"), OnButton);
  EXPECT_EQ(Items->Find(u"Button1.Hint"), nullptr);

  // A path that is only the component's name keeps nothing after it.
  OnButton->SetIdentifier(u"Button1");
  EXPECT_EQ(OnButton->Identifier(), u"btnClose");

  // Copies carry the stored path, values and kind, never the related component.
  OnButton->SetIdentifier(u"Button1.Hint");
  OnButton->SetValues(L("Close|Закрыть|"));
  OnButton->SetPropertyType(tkUString);
  TlcExtendedItems Copy(nullptr);
  Copy.Assign(*Items);
  EXPECT_EQ(Copy.Items(0)->Identifier(), u"Button1.Hint");
  EXPECT_EQ(Copy.Items(0)->RelComponent(), nullptr);
  EXPECT_EQ(Copy.Items(0)->Values(), L("Close|Закрыть|"));
  EXPECT_EQ(Copy.Items(0)->PropertyType(), tkUString);
  EXPECT_EQ(Copy.Items(0)->DisplayName(), u"Button1.Hint");
  EXPECT_EQ(Copy.Add()->DisplayName(), u"TlcExtendedItem");
}

TEST_F(ExtendedItems, ARemovedComponentTakesItsItemsAlong) {
  auto Form = MakePathTestForm();
  TlcExtendedItems* Items = Form->Lang()->ExtendedTranslations();
  Items->Add()->SetIdentifier(u"Button1.Caption");
  Items->Add()->SetIdentifier(u"Button10.Caption");
  TlcExtendedItem* Bare = Items->Add();
  Bare->SetIdentifier(u"Button1");
  Bare->SetRelComponent(Form->FindComponent(u"Button1"));
  TlcExtendedItem* Renamed = Items->Add();
  Renamed->SetIdentifier(u"Memo1.Hint");
  Renamed->SetRelComponent(Form->FindComponent(u"Memo1"));
  Form->FindComponent(u"Memo1")->SetName(u"Memo2");

  TComponentPtr<TComponent>(Form->FindComponent(u"Button1"));
  ASSERT_EQ(Items->Count(), 3);
  EXPECT_EQ(Items->Items(0)->Identifier(), u"Button10.Caption");
  EXPECT_EQ(Bare->Identifier(), u"Button1");  // no "." after the name: kept, unlinked
  EXPECT_EQ(Bare->RelComponent(), nullptr);

  // With removals ignored while designing, an item keeps the path it showed.
  Form->Lang()->SetDesigning(true);
  Form->Lang()->IgnoreRemoval = true;
  TComponentPtr<TComponent>(Form->FindComponent(u"Memo2"));
  ASSERT_EQ(Items->Count(), 3);
  EXPECT_EQ(Renamed->RelComponent(), nullptr);
  EXPECT_EQ(Renamed->Identifier(), u"Memo2.Hint");

  // A related component outside the form tells the translation component when it goes.
  TComponentPtr<TLabel> Outside(new TLabel(nullptr));
  Outside->SetName(u"Outer");
  Renamed->SetIdentifier(u"Outer.Caption");
  Renamed->SetRelComponent(Outside.get());
  Form->Lang()->IgnoreRemoval = false;
  Outside.reset();
  ASSERT_EQ(Items->Count(), 2);
  EXPECT_EQ(Items->Items(1), Bare);
}

TEST_F(ExtendedItems, FormDataKeepsItemsByteForByte) {
  auto Form = MakePathTestForm();
  const std::string Before = WriteForm(*Form);

  // A form written before any item was added reads back without items and writes the same.
  TComponentPtr<TPathTestForm> Plain(new TPathTestForm(nullptr));
  TMemoryStream In(Before);
  ReadComponent(In, Plain.get());
  EXPECT_EQ(Plain->Lang()->ExtendedTranslations()->Count(), 0);
  EXPECT_EQ(WriteForm(*Plain), Before);

  TlcExtendedItems* Items = Form->Lang()->ExtendedTranslations();
  TlcExtendedItem* Caption = Items->Add();
  Caption->SetIdentifier(u"Grid1.Columns[1].Title.Caption");
  Caption->SetPropertyType(tkUString);
  Caption->SetValues(L("Value title|Значение|"));
  TlcExtendedItem* Empty = Items->Add();
  Empty->SetIdentifier(u"Bar1.Panels[0].Text");
  Empty->SetPropertyType(tkUString);
  const std::string After = WriteForm(*Form);
  EXPECT_NE(After, Before);
  EXPECT_NE(After.find(Bytes({0xFF, 0xFE, 'V', 0})), std::string::npos);

  TComponentPtr<TPathTestForm> Back(new TPathTestForm(nullptr));
  TMemoryStream In2(After);
  ReadComponent(In2, Back.get());
  TlcExtendedItems* BackItems = Back->Lang()->ExtendedTranslations();
  ASSERT_EQ(BackItems->Count(), 2);
  EXPECT_EQ(BackItems->Items(0)->Identifier(), u"Grid1.Columns[1].Title.Caption");
  EXPECT_EQ(BackItems->Items(0)->PropertyType(), tkUString);
  EXPECT_EQ(BackItems->Items(0)->Values(), L("Value title|Значение|"));
  EXPECT_EQ(BackItems->Items(1)->Values(), u"");
  EXPECT_EQ(WriteForm(*Back), After);
}

TEST_F(ExtendedItems, ReadInTheDesignerItemsFollowRenames) {
  auto Form = MakePathTestForm();
  TlcExtendedItems* Items = Form->Lang()->ExtendedTranslations();
  for (const char16_t* Path : {u"Button1.Hint", u"TPathTestForm.Caption", u"Vanished1.Caption"})
    Items->Add()->SetIdentifier(Path);
  const std::string Image = WriteForm(*Form);

  TComponentPtr<TPathTestForm> Designed(new TPathTestForm(nullptr));
  Designed->SetDesigning(true);
  TMemoryStream In(Image);
  ReadComponent(In, Designed.get());
  TlcExtendedItems* Linked = Designed->Lang()->ExtendedTranslations();
  ASSERT_EQ(Linked->Count(), 2);  // no component for the third path
  EXPECT_EQ(Linked->Items(0)->RelComponent(), Designed->FindComponent(u"Button1"));
  EXPECT_EQ(Linked->Items(1)->RelComponent(), Designed.get());
  Designed->FindComponent(u"Button1")->SetName(u"btnClose");
  Designed->SetName(u"fmOther");
  EXPECT_EQ(Linked->Items(0)->Identifier(), u"btnClose.Hint");
  EXPECT_EQ(Linked->Items(1)->Identifier(), u"TPathTestForm.Caption");
  EXPECT_NE(WriteForm(*Designed).find("btnClose.Hint"), std::string::npos);

  // Outside the designer nothing is linked, and nothing is freed.
  TComponentPtr<TPathTestForm> Running(new TPathTestForm(nullptr));
  TMemoryStream In2(Image);
  ReadComponent(In2, Running.get());
  ASSERT_EQ(Running->Lang()->ExtendedTranslations()->Count(), 3);
  EXPECT_EQ(Running->Lang()->ExtendedTranslations()->Items(0)->RelComponent(), nullptr);
}

}  // namespace
