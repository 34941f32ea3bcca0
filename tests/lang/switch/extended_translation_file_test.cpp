#include <gtest/gtest.h>

#include "lang/file_test_support.h"
#include "lang/switch/extended_items.h"

namespace {

TEST(ExtendedTranslationFile, TheSectionJoinsTheFileAndComesBackFromIt) {
  const String Dir = TestFolder();
  const String Name = Dir + u"forms.lng";
  TLangForm<> A;
  A.Lang->SetStoreAsUTF8(true);
  A.Lang->Captions()->Add(L("btnGo|Go|Пуск|"));
  ASSERT_EQ(A.Lang->SaveToFile(stCaptions, Name, u"~!@#"), 1);
  TlcExtendedItem* Item = A.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"TTestForm.Caption");
  Item->SetValues(L("Main|Главное|"));
  A.Lang->SaveExtendedToFile(Name, u"~!@#");

  TLangForm<> B;
  B.Lang->ExtendedTranslations()->Add()->SetIdentifier(u"btnGo.Tag");
  B.Lang->LoadExtendedFromFile(Dir + u"none.lng", true);  // no file: nothing changes
  ASSERT_EQ(B.Lang->ExtendedTranslations()->Count(), 1);
  B.Lang->LoadExtendedFromFile(Name, true);
  ASSERT_EQ(B.Lang->ExtendedTranslations()->Count(), 1);
  const TlcExtendedItem& Loaded = *B.Lang->ExtendedTranslations()->Items(0);
  EXPECT_EQ(Loaded.Identifier(), u"TTestForm.Caption");
  EXPECT_EQ(Loaded.Values(), L("Main|Главное|"));
  EXPECT_EQ(Loaded.PropertyType(), tkUString);
  // The captions saved before are still in the file.
  EXPECT_EQ(B.Lang->LoadFromFile(stCaptions, Name, true), 1);
  EXPECT_EQ(LinesOf(*B.Lang->Captions()), LinesOf(*A.Lang->Captions()));
}

}  // namespace
