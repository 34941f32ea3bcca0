#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/stream.h"
#include "core/strings.h"

namespace {

std::vector<String> Lines(const TStrings& L) {
  std::vector<String> R;
  for (int I = 0; I < L.Count(); ++I) R.push_back(L[I]);
  return R;
}

// Counts its own destructions, to see which objects a list frees.
struct Counted : TObject {
  explicit Counted(int& N) : Deleted(N) {}
  ~Counted() override { ++Deleted; }
  int& Deleted;
};

}  // namespace

TEST(StringList, CheckedAccessAndEditing) {
  TStringList L;
  L.Add(u"a");
  L.Add(u"b");
  L.Insert(0, u"first");
  L.Insert(3, u"last");
  EXPECT_EQ(Lines(L), (std::vector<String>{u"first", u"a", u"b", u"last"}));
  L.Move(0, 2);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"a", u"b", u"first", u"last"}));
  L.Exchange(0, 3);
  L.Delete(1);
  L.Put(0, u"z");
  EXPECT_EQ(Lines(L), (std::vector<String>{u"z", u"first", u"a"}));
  EXPECT_EQ(L.IndexOf(u"FIRST"), 1);
  L.SetCaseSensitive(true);
  EXPECT_EQ(L.IndexOf(u"FIRST"), -1);

  try {
    L.Get(3);
    FAIL();
  } catch (const EStringListError& E) {
    EXPECT_EQ(E.Message(), u"List index out of bounds (3)");
  }
  EXPECT_THROW(L.Get(-1), EListError);
  EXPECT_THROW(L.Insert(4, u"x"), EStringListError);
  EXPECT_THROW(L.Delete(3), EStringListError);
}

TEST(StringList, SortedFindGivesLowestIndexOrInsertionPoint) {
  TStringList L;
  L.SetDuplicates(TDuplicates::dupAccept);
  L.SetSorted(true);
  for (const char16_t* S : {u"b", u"d", u"B", u"a", u"b"}) L.Add(S);
  TObject Object;
  TObject* Tag = &Object;
  EXPECT_EQ(L.AddObject(u"B", Tag), 1);  // before the equal items
  EXPECT_EQ(L.GetObject(1), Tag);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"a", u"B", u"b", u"B", u"b", u"d"}));

  int Index = -1;
  EXPECT_TRUE(L.Find(u"b", Index));
  EXPECT_EQ(Index, 1);
  EXPECT_FALSE(L.Find(u"c", Index));
  EXPECT_EQ(Index, 5);
  EXPECT_FALSE(L.Find(u"e", Index));
  EXPECT_EQ(Index, 6);
  EXPECT_EQ(L.IndexOf(u"D"), 5);

  L.SetDuplicates(TDuplicates::dupIgnore);
  EXPECT_EQ(L.Add(u"A"), 0);
  EXPECT_EQ(L.Count(), 6);
  L.SetDuplicates(TDuplicates::dupError);
  EXPECT_THROW(L.Add(u"a"), EStringListError);
  EXPECT_THROW(L.Insert(0, u"x"), EStringListError);
  EXPECT_THROW(L.Put(0, u"x"), EStringListError);

  // Case-sensitive order puts capitals first and re-sorts the list.
  L.SetCaseSensitive(true);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"B", u"B", u"a", u"b", u"b", u"d"}));
  EXPECT_EQ(L.GetObject(0), Tag);
  EXPECT_TRUE(L.Find(u"b", Index));
  EXPECT_EQ(Index, 3);
}

TEST(StringList, TextSplitsAndJoins) {
  TStringList L;
  L.SetText(u"a\r\nb\rc\nd");
  EXPECT_EQ(Lines(L), (std::vector<String>{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(L.GetText(), u"a\r\nb\r\nc\r\nd\r\n");
  L.SetText(u"a\r\n");
  EXPECT_EQ(Lines(L), (std::vector<String>{u"a"}));
  L.SetText(u"a\r\n\r\n");
  EXPECT_EQ(Lines(L), (std::vector<String>{u"a", u""}));
  L.SetText(u"\n\r");
  EXPECT_EQ(Lines(L), (std::vector<String>{u"", u""}));
  L.SetText(u"");
  EXPECT_EQ(L.GetText(), u"");
}

TEST(StringList, CommaTextRoundTrips) {
  TStringList L;
  for (const char16_t* S : {u"plain", u"", u"with space", u"a,b", u"say \"hi\"", u"\""}) L.Add(S);
  EXPECT_EQ(L.GetCommaText(), u"plain,\"\",\"with space\",\"a,b\",\"say \"\"hi\"\"\",\"\"\"\"");
  for (const char16_t* S : {u"tab\there", u" lead", u"trail ", u"x"}) L.Add(S);
  L.Add(String(u"nul\0", 4));
  TStringList Back;
  Back.SetCommaText(L.GetCommaText());
  EXPECT_TRUE(Back.Equals(L));

  Back.SetCommaText(u"a,,b");
  EXPECT_EQ(Lines(Back), (std::vector<String>{u"a", u"", u"b"}));
  Back.SetCommaText(u"  a b , \"c\"\"d\"  ,e,");
  EXPECT_EQ(Lines(Back), (std::vector<String>{u"a", u"b", u"c\"d", u"e", u""}));
  Back.SetCommaText(u"\"open");
  EXPECT_EQ(Lines(Back), (std::vector<String>{u"open"}));
  Back.SetCommaText(u"\"\"");
  EXPECT_EQ(Lines(Back), (std::vector<String>{u""}));
  EXPECT_EQ(Back.GetCommaText(), u"\"\"");
}

TEST(StringList, ChangeEventsWaitForEndUpdate) {
  TStringList L;
  int Changes = 0, Changings = 0;
  TObject* Sender = nullptr;
  L.OnChange = TNotifyEvent([&](TObject* S) {
    ++Changes;
    Sender = S;
  });
  L.OnChanging = TNotifyEvent([&](TObject*) { ++Changings; });
  L.Add(u"a");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Changings, 1);
  EXPECT_EQ(Sender, &L);
  L.BeginUpdate();
  L.BeginUpdate();
  L.Add(u"b");
  L.Delete(0);
  L.EndUpdate();
  EXPECT_EQ(Changes, 1);
  L.EndUpdate();
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Changings, 2);
  L.SetText(u"x\ny\nz");
  EXPECT_EQ(Changes, 3);
  L.Clear();
  L.Clear();
  EXPECT_EQ(Changes, 4);
}

TEST(StringList, LoadDetectsMarksAndSaveWritesThem) {
  SetACP(1251);
  TStringList L;
  TMemoryStream Ansi(std::string("\xC0\r\nb"));
  L.LoadFromStream(Ansi);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"\u0410", u"b"}));
  TMemoryStream Utf8(std::string("\xEF\xBB\xBF\xD0\x96\n"));
  L.LoadFromStream(Utf8);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"\u0416"}));
  TMemoryStream Utf16LE(std::string("\xFF\xFE\x16\x04\r\0x\0", 8));
  L.LoadFromStream(Utf16LE);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"\u0416", u"x"}));
  TMemoryStream Utf16BE(std::string("\xFE\xFF\x04\x16", 4));
  L.LoadFromStream(Utf16BE);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"\u0416"}));
  TMemoryStream Broken(
      std::string("\xEF\xBB\xBF"
                  "a\xFFz"));
  L.LoadFromStream(Broken);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"a\uFFFDz"}));
  TMemoryStream Forced(std::string("\xD0\x96"));
  L.LoadFromStream(Forced, TEncoding::UTF8);
  EXPECT_EQ(Lines(L), (std::vector<String>{u"\u0416"}));

  L.SetText(u"\u0416\nb");
  TMemoryStream Out;
  L.SaveToStream(Out);
  EXPECT_EQ(Out.Bytes(), "\xC6\r\nb\r\n");
  Out.Clear();
  L.SaveToStream(Out, TEncoding::UTF8);
  EXPECT_EQ(Out.Bytes(), "\xEF\xBB\xBF\xD0\x96\r\nb\r\n");
  Out.Clear();
  L.SaveToStream(Out, TEncoding::Unicode);
  EXPECT_EQ(Out.Bytes(), std::string("\xFF\xFE\x16\x04\r\0\n\0b\0\r\0\n\0", 14));
  SetACP(0);
}

TEST(StringList, AssignAndOwnedObjects) {
  int Deleted = 0;
  {
    TStringList Owner(true);
    Owner.AddObject(u"a", new Counted(Deleted));
    Owner.AddObject(u"b", new Counted(Deleted));
    Owner.AddObject(u"c", new Counted(Deleted));
    Owner.AddObject(u"d", new Counted(Deleted));
    Owner.Move(0, 3);  // moving keeps the object alive
    EXPECT_EQ(Deleted, 0);
    EXPECT_NE(Owner.GetObject(3), nullptr);

    TStringList Copy;
    Copy.Assign(Owner);
    EXPECT_TRUE(Copy.Equals(Owner));
    EXPECT_EQ(Copy.GetObject(1), Owner.GetObject(1));
    Copy.Clear();
    EXPECT_EQ(Deleted, 0);

    Owner.Delete(0);
    EXPECT_EQ(Deleted, 1);
    Owner.Clear();
    EXPECT_EQ(Deleted, 4);
    Owner.AddObject(u"e", new Counted(Deleted));
  }
  EXPECT_EQ(Deleted, 5);

  TStringList L;
  L.Add(u"kept");
  L.Assign(L);
  EXPECT_EQ(L.Count(), 1);
  EXPECT_THROW(L.Assign(TPersistent()), EConvertError);
}

TEST(StringList, AssignSharesTheLinesAndASortedListStillPlacesThem) {
  TStringList From;
  From.Add(u"b");
  From.Add(u"a long line that no short-string buffer holds");
  From.Add(u"b");
  TStringList To;
  To.Add(u"old");
  int Changes = 0;
  To.OnChange = TNotifyEvent([&Changes](TObject*) { ++Changes; });
  To.Assign(From);
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(To.Equals(From));
  EXPECT_EQ(To.Shared(1).View().data(), From.Shared(1).View().data());
  To.Put(0, u"changed");  // the copy is a list of its own
  EXPECT_EQ(From.Get(0), u"b");

  TStringList Sorted;
  Sorted.SetSorted(true);
  Sorted.SetDuplicates(TDuplicates::dupIgnore);
  Sorted.Assign(From);
  EXPECT_EQ(Sorted.Count(), 2);
  EXPECT_EQ(Sorted.Get(0), u"a long line that no short-string buffer holds");
}

TEST(StringList, ClassTypeCreatesInstances) {
  const TClassType& T = TStringList::StaticClassType();
  EXPECT_EQ(T.Name(), u"TStringList");
  EXPECT_TRUE(T.InheritsFrom(TStrings::StaticClassType()));
  ASSERT_TRUE(T.Create);
  std::unique_ptr<TObject> O(T.Create(nullptr));
  EXPECT_EQ(O->ClassName(), u"TStringList");
}
