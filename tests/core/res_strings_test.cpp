#include <gtest/gtest.h>

#include <array>

#include "core/exceptions.h"
#include "core/res_strings.h"
#include "core/strings.h"

namespace {

// Puts the loaders in force back when a test ends.
class ResStringsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetResStringLoaders(Saved); }
  TResStringLoaders Saved = ResStringLoaders();
};

TEST_F(ResStringsTest, ModulesFindTheirOwnAndTheirBasesTexts) {
  static constexpr TResStringEntry Base[] = {{1, u"base one"}, {2, u"base two"}};
  static constexpr TResStringEntry Upper[] = {{2, u"upper two"}, {3, u"abcdef"}};
  static constexpr TResModule BaseModule{Base};
  static constexpr TResModule UpperModule{Upper, &BaseModule};
  EXPECT_EQ(String(UpperModule.Find(1)), u"base one");
  EXPECT_EQ(String(UpperModule.Find(2)), u"upper two");
  EXPECT_EQ(UpperModule.Find(9), nullptr);
  EXPECT_TRUE(UpperModule.BuiltUpon(BaseModule));
  EXPECT_FALSE(BaseModule.BuiltUpon(UpperModule));

  // The platform's load fills a buffer with its terminating zero.
  EXPECT_EQ(LoadStringW(UpperModule, 3, 4), u"abc");
  EXPECT_EQ(LoadStringW(UpperModule, 3, 7), u"abcdef");
  EXPECT_EQ(LoadStringW(UpperModule, 9, 100), u"");

  const TResStringRec ById{&UpperModule, 3};
  EXPECT_EQ(String(ById), u"abcdef");
  static const char16_t Text[] = u"a text at an address";
  const TResStringRec ByAddress{nullptr, reinterpret_cast<uintptr_t>(Text)};
  EXPECT_EQ(LoadResString(&ByAddress), u"a text at an address");
  EXPECT_EQ(LoadResString(nullptr), u"");
}

TEST_F(ResStringsTest, IdentifierLoadsUseTheProgramsModuleAndNeverTakeANumberForAnAddress) {
  EXPECT_TRUE(HInstance().BuiltUpon(CoreResources));
  EXPECT_EQ(LoadStr(ResIdentifier(SReadError)), u"Stream read error");
  EXPECT_EQ(FmtLoadStr(ResIdentifier(SListIndexError), {int64_t{7}}),
            u"List index out of bounds (7)");
  EXPECT_EQ(LoadStr(-1), u"");
  EXPECT_EQ(LoadStr(70000), u"");
  EXPECT_EQ(LoadStr(1), u"");
  // A module that is not built upon the program's does not replace it.
  static constexpr TResStringEntry None[] = {{1, u"x"}};
  static constexpr TResModule Unrelated{None};
  EXPECT_FALSE(RegisterResModule(Unrelated));
  EXPECT_TRUE(HInstance().BuiltUpon(CoreResources));
}

// A loader table that marks every text it hands out.
String Marked(const TResStringRec* Rec) {
  return u"<" + LibraryResStringLoaders().ByRecord(Rec) + u">";
}
String MarkedId(int Ident) {
  return u"<" + LibraryResStringLoaders().ById(Ident) + u">";
}
String MarkedFmt(int Ident, std::initializer_list<TVarRec> Args) {
  return Format(MarkedId(Ident), Args);
}

TEST_F(ResStringsTest, EveryLoadOfTheLibrarysTextsGoesThroughTheTableInForce) {
  const TResStringLoaders Old = SetResStringLoaders({&Marked, &MarkedId, &MarkedFmt});
  EXPECT_EQ(Old.ByRecord, Saved.ByRecord);
  TStringList List;
  try {
    List.Get(3);
    FAIL();
  } catch (const EStringListError& E) {
    EXPECT_EQ(E.Message(), u"<List index out of bounds (3)>");
  }
  EXPECT_EQ(LoadStr(ResIdentifier(SWriteError)), u"<Stream write error>");
  EXPECT_EQ(FmtLoadStr(ResIdentifier(SInvalidInteger), {String(u"x")}),
            u"<'x' is not a valid integer value>");

  SetResStringLoaders(LibraryResStringLoaders());
  EXPECT_EQ(String(SReadError), u"Stream read error");
}

String BrokenFormat(const TResStringRec* Rec) {
  if (Rec == &SInvalidFormat) return u"Bad format %d";
  return LibraryResStringLoaders().ByRecord(Rec);
}

TEST_F(ResStringsTest, AFormatErrorWhoseOwnTextIsBrokenStillReportsOnce) {
  SetResStringLoaders({&BrokenFormat, Saved.ById, Saved.ByIdFormatted});
  try {
    Format(u"%d", {String(u"x")});
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"Bad format %d");
  }
}

}  // namespace
