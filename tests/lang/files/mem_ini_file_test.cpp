#include <gtest/gtest.h>

#include <vector>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/format_settings.h"
#include "core/stream.h"
#include "lang/files/mem_ini_file.h"
#include "peak_memory.h"
#include "temp_folder.h"

namespace {

std::vector<String> Lines(const TStrings& L) {
  std::vector<String> R;
  for (int I = 0; I < L.Count(); ++I) R.push_back(L[I]);
  return R;
}

TStringList Text(std::initializer_list<const char16_t*> Items) {
  TStringList L;
  for (const char16_t* S : Items) L.Add(S);
  return L;
}

std::vector<String> TextForm(const TlcMemIniFile& Ini) {
  TStringList L;
  Ini.GetStrings(L);
  return Lines(L);
}

}  // namespace

TEST(MemIniFile, ParsesSectionsAndKeysIntoSortedOrder) {
  TlcMemIniFile Ini(u"");
  Ini.SetStrings(Text({u"dropped before any header", u"[b]", u"k=2", u"K=1", u"; comment", u"",
                       u"[A]", u"z=last", u"a=first", u"eq=a=b", u"[B]", u"more=3", u"[ x]",
                       u"[open", u" blank = kept "}));
  // Sections and keys sorted ignoring case; "[B]" continues "[b]" under its first spelling; the
  // later of two equal keys stands first.
  EXPECT_EQ(TextForm(Ini), (std::vector<String>{u"[ x]", u" blank = kept ", u"[open=", u"", u"[A]",
                                                u"a=first", u"eq=a=b", u"z=last", u"", u"[b]",
                                                u"K=1", u"k=2", u"more=3", u""}));
  EXPECT_EQ(Ini.ReadString(u"B", u"k", u"-"), u"1");
  // A line splits at its first "=": a value may hold "=", a key read from a file never does.
  EXPECT_EQ(Ini.ReadString(u"a", u"eq", u"-"), u"a=b");
  TMemIniEntry Entry;
  Entry.Add(u"k=v=w");
  EXPECT_EQ(Entry.GetLine(0), u"k=v=w");
  EXPECT_EQ(Entry.GetValue(0), u"v=w");
  EXPECT_EQ(Ini.ReadString(u" x", u" blank ", u"-"), u" kept ");
  EXPECT_EQ(Ini.ReadString(u"a", u"missing", u"-"), u"-");
  EXPECT_EQ(Ini.ReadString(u"missing", u"a", u"-"), u"-");
}

TEST(MemIniFile, ManySectionsInDescendingOrder) {
  // Inserted one by one into the sorted list, this many sections took seconds.
  constexpr int N = 50000;
  String Text;
  for (int I = N - 1; I >= 0; --I) Text += Format(u"[S%.5d]\nk=%d\n", {I, I});
  Text += u"[s00007]\nk=again\n";
  TlcMemIniFile Ini(u"");
  Ini.SetText(Text);
  ASSERT_EQ(Ini.SectionCount(), N);
  TStringList Names;
  Ini.ReadSections(Names);
  for (int I = 0; I < N; ++I) ASSERT_EQ(Names[I], Format(u"S%.5d", {I}));
  // The repeated header continues the first spelling's section, its key standing first.
  TStringList Values;
  Ini.ReadSectionValues(u"S00007", Values);
  EXPECT_EQ(Lines(Values), (std::vector<String>{u"again", u"7"}));
  EXPECT_EQ(Ini.ReadString(u"S49999", u"k", u""), u"49999");
}

TEST(MemIniFile, OneLongLineCostsLittleMoreThanItsText) {
  // Copies of the file's text, of its decoded text and of each line took eight times the file.
  constexpr size_t Size = size_t{32} << 20;
  std::string Bytes = "\xEF\xBB\xBF[s]\r\nk=";
  Bytes.append(Size, 'x');
  TMemoryStream In(std::move(Bytes));
  const long Before = PeakMegabytes();
  TlcMemIniFile Ini(u"");
  Ini.LoadFromStream(In);
  // The value in UTF-16 takes twice the bytes.
  EXPECT_LT(PeakMegabytes() - Before, 3 * static_cast<long>(Size >> 20));
  const TMemIniEntry* Entry = Ini.FindSection(u"s");
  ASSERT_NE(Entry, nullptr);
  EXPECT_EQ(Entry->GetValue(0).size(), Size);
}

TEST(MemIniFile, DuplicateKeysAndWrites) {
  TlcMemIniFile Ini(u"");
  Ini.SetStrings(Text({u"[s]", u"key=old", u"key=new"}));
  EXPECT_EQ(Ini.ReadString(u"s", u"key", u""), u"new");
  Ini.WriteString(u"s", u"KEY", u"newest");
  EXPECT_EQ(TextForm(Ini), (std::vector<String>{u"[s]", u"KEY=newest", u"key=old", u""}));
  Ini.DeleteKey(u"s", u"key");
  EXPECT_EQ(Ini.ReadString(u"s", u"key", u""), u"old");

  // A key that holds "=" is kept whole, so it reads back under the name it was written with.
  Ini.WriteString(u"s", u"a=b", u"v");
  EXPECT_EQ(Ini.ReadString(u"s", u"a=b", u""), u"v");
  EXPECT_EQ(Ini.ReadString(u"s", u"a", u"none"), u"none");
}

TEST(MemIniFile, EmptySectionsAndTheChangedFlag) {
  TlcMemIniFile Ini(u"");
  EXPECT_TRUE(Ini.Changed());
  EXPECT_TRUE(TextForm(Ini).empty());
  Ini.SetChanged(false);
  Ini.EraseSection(u"none");
  Ini.DeleteKey(u"none", u"k");
  EXPECT_FALSE(Ini.Changed());

  Ini.SetStrings(Text({u"[empty]"}));
  EXPECT_EQ(TextForm(Ini), (std::vector<String>{u"[empty]", u""}));
  EXPECT_FALSE(Ini.SectionExists(u"empty"));
  TStringList Names;
  Names.Add(u"old content");
  Ini.ReadSections(Names);
  EXPECT_EQ(Lines(Names), (std::vector<String>{u"empty"}));

  Ini.SetChanged(false);
  Ini.DeleteKey(u"EMPTY", u"absent");
  EXPECT_TRUE(Ini.Changed());
  Ini.WriteString(u"empty", u"k", u"v");
  EXPECT_TRUE(Ini.SectionExists(u"Empty"));
  EXPECT_TRUE(Ini.ValueExists(u"empty", u"K"));
  Ini.EraseSection(u"EMPTY");
  EXPECT_TRUE(TextForm(Ini).empty());
}

TEST(MemIniFile, SectionReadsGiveNamesOrValuesInKeyOrder) {
  TlcMemIniFile Ini(u"");
  Ini.SetStrings(Text({u"[s]", u"b=2", u"a=1"}));
  TStringList Out;
  Ini.ReadSectionValues(u"s", Out);
  EXPECT_EQ(Lines(Out), (std::vector<String>{u"1", u"2"}));
  Ini.ReadSection(u"s", Out);
  EXPECT_EQ(Lines(Out), (std::vector<String>{u"a", u"b"}));
  Ini.ReadSection(u"none", Out);
  EXPECT_EQ(Out.Count(), 0);
}

TEST(MemIniFile, TypedReadsFallBackOnBadText) {
  TlcMemIniFile Ini(u"");
  Ini.SetStrings(
      Text({u"[n]", u"hex=0x1F", u"dollar=$1F", u"lead= 12", u"trail=12 ", u"zero=0X0", u"two=2",
            u"minus=-1", u"word=yes", u"empty=", u"float=1.5", u"badfloat=1,5", u"date=12/31/2024",
            u"baddate=2/30/2024", u"time=1:02:03 PM", u"stamp=1/2/2003 4:05:06 AM"}));
  EXPECT_EQ(Ini.ReadInteger(u"n", u"hex", -1), 31);
  EXPECT_EQ(Ini.ReadInteger(u"n", u"dollar", -1), 31);
  EXPECT_EQ(Ini.ReadInteger(u"n", u"lead", -1), 12);
  EXPECT_EQ(Ini.ReadInteger(u"n", u"trail", -1), -1);
  EXPECT_EQ(Ini.ReadInteger(u"n", u"empty", -1), -1);
  EXPECT_FALSE(Ini.ReadBool(u"n", u"zero", true));
  EXPECT_TRUE(Ini.ReadBool(u"n", u"two", false));
  EXPECT_TRUE(Ini.ReadBool(u"n", u"minus", false));
  EXPECT_FALSE(Ini.ReadBool(u"n", u"word", false));
  EXPECT_TRUE(Ini.ReadBool(u"n", u"word", true));

  EXPECT_DOUBLE_EQ(Ini.ReadFloat(u"n", u"float", 0), 1.5);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat(u"n", u"badfloat", 7), 7);
  const TDateTime Date = Ini.ReadDate(u"n", u"date", 0);
  EXPECT_EQ(DecodeDateTime(Date).Day, 31);
  EXPECT_DOUBLE_EQ(Ini.ReadDate(u"n", u"baddate", -5), -5);
  const TDateTimeParts Time = DecodeDateTime(Ini.ReadTime(u"n", u"time", 0));
  EXPECT_EQ(Time.Hour * 10000 + Time.Minute * 100 + Time.Second, 130203);
  const TDateTimeParts Stamp = DecodeDateTime(Ini.ReadDateTime(u"n", u"stamp", 0));
  EXPECT_EQ(Stamp.Year * 100 + Stamp.Month, 200301);
  EXPECT_EQ(Stamp.Hour, 4);
}

TEST(MemIniFile, TypedWritesReadBackUnderOtherSettings) {
  TlcMemIniFile Ini(u"");
  TFormatSettings& F = FormatSettings();
  const TFormatSettings Saved = F;
  F.DecimalSeparator = u',';
  F.ShortDateFormat = u"dd.mm.yyyy";
  F.DateSeparator = u'.';
  F.LongTimeFormat = u"hh:nn:ss";
  TDateTimeParts T;
  T.Year = 2024, T.Month = 2, T.Day = 29, T.Hour = 23, T.Minute = 59, T.Second = 58;
  const TDateTime Stamp = EncodeDateTime(T);
  Ini.WriteFloat(u"v", u"f", -1234.5e-27);
  Ini.WriteFloat(u"v", u"g", 0.25);
  Ini.WriteDateTime(u"v", u"dt", Stamp);
  Ini.WriteDate(u"v", u"d", Stamp);
  Ini.WriteTime(u"v", u"t", Stamp);
  Ini.WriteInteger(u"v", u"i", -7);
  Ini.WriteBool(u"v", u"b", true);
  EXPECT_EQ(Ini.ReadString(u"v", u"f", u""), u"-1,2345E-24");
  EXPECT_EQ(Ini.ReadString(u"v", u"g", u""), u"0,25");
  EXPECT_EQ(Ini.ReadString(u"v", u"dt", u""), u"29.02.2024 23:59:58");
  EXPECT_DOUBLE_EQ(Ini.ReadFloat(u"v", u"f", 0), -1234.5e-27);
  EXPECT_NEAR(Ini.ReadDateTime(u"v", u"dt", 0), Stamp, 1e-8);
  EXPECT_DOUBLE_EQ(Ini.ReadDate(u"v", u"d", 0), 45351);
  EXPECT_EQ(Ini.ReadInteger(u"v", u"i", 0), -7);
  EXPECT_EQ(Ini.ReadString(u"v", u"b", u""), u"1");
  F = Saved;
  EXPECT_EQ(TimeToStr(EncodeDateTime(T)), u"11:59:58 PM");
}

TEST(MemIniFile, StreamEncodings) {
  // Cyrillic "да" in UTF-8, and the same bytes read as ANSI when nothing says UTF-8.
  const std::string Utf8Da = "\xD0\xB4\xD0\xB0";
  auto Load = [](const std::string& Bytes, const char* Skip = "") {
    TMemoryStream S(std::string(Skip) + Bytes);
    S.SetPosition(static_cast<int64_t>(std::char_traits<char>::length(Skip)));
    TlcMemIniFile Ini(u"");
    Ini.LoadFromStream(S);
    return Ini.ReadString(u"s", u"k", u"-");
  };
  EXPECT_EQ(Load("\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[s]\r\nk=" + Utf8Da), u"да");
  EXPECT_EQ(Load("[OPTIONS]\r\nIsUTF8File=0\r\n[s]\r\nk=" + Utf8Da).size(), 4u);
  EXPECT_EQ(Load("[s]\r\nk=" + Utf8Da).size(), 4u);
  // The mark alone says UTF-8, also with "[OPTIONS]" on its line.
  EXPECT_EQ(Load("\xEF\xBB\xBF[OPTIONS]\r\nIsUTF8File=1\r\n[s]\r\nk=" + Utf8Da), u"да");
  EXPECT_EQ(Load("\xEF\xBB\xBF[s]\r\nk=" + Utf8Da), u"да");
  // Reading starts where the stream stands.
  EXPECT_EQ(Load("[s]\r\nk=v", "[s]\r\nk=skipped\r\n"), u"v");
}

TEST(MemIniFile, FilesLoadRenameAndUpdate) {
  const TTempFolder Dir;
  const String A = Dir / u"a.ini", B = Dir / u"b.ini";
  {
    TFileStream F(A, fmCreate);
    F.WriteBytes("\xEF\xBB\xBF[s]\r\nk=\xD0\xB4\r\n");
  }
  SetACP(1252);
  TlcMemIniFile Ini(A);
  EXPECT_EQ(Ini.ReadString(u"s", u"k", u""), u"д");
  Ini.Rename(B, false);
  EXPECT_EQ(Ini.FileName(), B);
  Ini.WriteString(u"s", u"n", u"1");
  Ini.UpdateFile();
  EXPECT_FALSE(Ini.Changed());
  TMemoryStream Written;
  Written.LoadFromFile(B);
  EXPECT_EQ(Written.Bytes(), "[s]\r\nk=?\r\nn=1\r\n\r\n");  // code page 1252 has no "д"
  SetACP(0);
  Ini.Rename(A, true);
  EXPECT_EQ(Ini.ReadString(u"s", u"n", u"gone"), u"gone");
  TlcMemIniFile Missing(Dir / u"none.ini");
  EXPECT_EQ(Missing.SectionCount(), 0);
  EXPECT_THROW(Missing.LoadFromFile(Dir / u"none.ini"), EFOpenError);
}
