#include <gtest/gtest.h>

#include "core/safe_file.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/file_test_support.h"
#include "lang/files/binary_translation_file.h"
#include "lang/switch/extended_items.h"

namespace {

class TTestFor2 : public TTestForm {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestFor2", &TTestForm::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TTestForm::TTestForm;
};

void Fill(TlcCustomLang& Lang, const std::string& Owner, const std::string& Text) {
  Lang.Captions()->Add(L("btnGo|Go|Пуск|"));
  Lang.Captions()->Add(L(Owner + "|" + Text + "|Форма|"));
  Lang.Strings()->Add(L("IDS_1|" + Text + "|Текст|"));
}

std::string ImageOf(TLCBFileManager& M) {
  TMemoryStream S;
  M.SaveToStream(S);
  return S.Bytes();
}

}  // namespace

TEST(BinaryTranslationFile, RoundTripOfOneForm) {
  const String Name = TestFolder() + u"forms.lcb";
  TLangForm<> A;
  Fill(*A.Lang, "TTestForm", "Main");
  A.Lang->SetStoreAsUTF8(true);
  TlcExtendedItem* Item = A.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"Edit1.Text");
  Item->SetPropertyType(tkUString);
  Item->SetValues(L("Name|Имя|"));
  A.Lang->SaveAllToBinaryFile(Name);

  TLangForm<> B;
  B.Lang->SetLangDelim(2);
  B.Lang->Strings()->Add(L("IDS_OLD|x|", 2));
  B.Lang->LoadAllFromBinaryFile(Name);
  // The form's own line is back in front, and every line uses this component's delimiter.
  EXPECT_EQ(LinesOf(*B.Lang->Captions()),
            (std::vector<String>{L("TTestForm|Main|Форма|", 2), L("btnGo|Go|Пуск|", 2)}));
  EXPECT_EQ(LinesOf(*B.Lang->Strings()), (std::vector<String>{L("IDS_1|Main|Текст|", 2)}));
  EXPECT_TRUE(B.Lang->StoreAsUTF8());
  EXPECT_EQ(LinesOf(*B.Lang->LangNames()), (std::vector<String>{u"English", u"Russian"}));
  ASSERT_EQ(B.Lang->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(B.Lang->ExtendedTranslations()->Items(0)->Values(), L("Name|Имя|", 2));
  B.Lang->SetActiveLanguage(2);
  EXPECT_EQ(B.Lang->GetTextOrDefault(u"IDS_1"), u"Текст");

  // A component of a form class the file has no record of keeps what it has.
  TLangForm<TOtherTestForm> C;
  C.Lang->Strings()->Add(L("IDS_C|c|"));
  C.Lang->LoadAllFromBinaryFile(Name);
  EXPECT_EQ(LinesOf(*C.Lang->Strings()), (std::vector<String>{L("IDS_C|c|")}));
}

TEST(BinaryTranslationFile, SavingAFormReplacesItsRecordInPlace) {
  const String Name = TestFolder() + u"two.lcb";
  TLangForm<TOtherTestForm> B;
  TLangForm<> A;
  Fill(*B.Lang, "TOtherTestForm", "B");
  Fill(*A.Lang, "TTestForm", "A1");
  {
    TLCBFileManager M;
    M.Add(B.Lang);
    EXPECT_EQ(M.Add(A.Lang), 1);
    EXPECT_EQ(M.Add(A.Lang), 1);
    M.FixedLanguages()->Add(u"Russian");
    M.CommentsFileName = u"comments.txt";
    M.SaveToFile(Name);
  }
  A.Lang->Strings()->Put(0, L("IDS_1|A2|Текст|"));
  A.Lang->SaveAllToBinaryFile(Name);
  TLCBFileManager M;
  M.LoadAllFromFile(Name);
  ASSERT_EQ(M.CompCount(), 2);
  EXPECT_EQ(M.GetOwnerClassName(0), u"TOtherTestForm");
  EXPECT_EQ(M.GetOwnerClassName(1), u"TTestForm");
  EXPECT_EQ(M.Components(0)->Strings()->Get(0), L("IDS_1|B|Текст|"));
  EXPECT_EQ(M.Components(1)->Strings()->Get(0), L("IDS_1|A2|Текст|"));
  EXPECT_EQ(LinesOf(*M.FixedLanguages()), (std::vector<String>{u"Russian"}));
  EXPECT_EQ(M.CommentsFileName, u"comments.txt");

  // A deep copy holds components of its own.
  TLCBFileManager Copy;
  Copy.Assign(M);
  ASSERT_EQ(Copy.CompCount(), 2);
  EXPECT_NE(Copy.Components(1), M.Components(1));
  EXPECT_EQ(ImageOf(Copy), ImageOf(M));
}

TEST(BinaryTranslationFile, LayoutOwnersAndMatching) {
  TLCBFileManager Empty;
  EXPECT_EQ(ImageOf(Empty),
            std::string("LCB file: TlcLang binary translation data\0\0\0\0\0\0\0", 48));
  // Two owner-less components: two records named "", freed with the manager.
  TLCBFileManager M;
  M.Add(new TlcLang(nullptr));
  EXPECT_EQ(M.Add(new TlcLang(nullptr)), 1);
  const std::string Image = ImageOf(M);
  EXPECT_EQ(Image.substr(42, 8), std::string("\2\0\0\0\0\0", 6) + Image.substr(48, 2));

  // The same class name twice: a single load takes the first, reading all keeps both; names
  // match exactly when loading.
  TLangForm<> A1;
  TLangForm<TTestFor2> A2;
  Fill(*A1.Lang, "TTestForm", "first");
  Fill(*A2.Lang, "TTestFor2", "second");
  TLCBFileManager Two;
  Two.Add(A1.Lang);
  Two.Add(A2.Lang);
  std::string Bytes = ImageOf(Two);
  Bytes.replace(Bytes.find("TTestFor2"), 9, "TTestForm");
  TMemoryStream In(Bytes);
  TLangForm<> Target;
  TLCBFileManager Reader;
  Reader.LoadFromStream(Target.Lang, u"TTESTFORM", In);
  EXPECT_EQ(Target.Lang->Strings()->Count(), 0);
  In.SetPosition(17);  // wherever the stream stands, the head is read from its start
  Target.Lang->LoadAllFromBinaryStream(In);
  EXPECT_EQ(Target.Lang->Strings()->Get(0), L("IDS_1|first|Текст|"));
  const String Name = TestFolder() + u"twice.lcb";
  SaveBytesSafely(Name, Bytes);
  Reader.LoadAllFromFile(Name);
  ASSERT_EQ(Reader.CompCount(), 2);
  EXPECT_EQ(Reader.GetOwnerClassName(1), u"TTestForm");
  EXPECT_EQ(Reader.Components(1)->Strings()->Get(0), L("IDS_1|second|Текст|"));
}

TEST(BinaryTranslationFile, TheDispatcherLinkStaysOutOfTheImage) {
  const String Name = TestFolder() + u"link.lcb";
  TTestForm Form;
  auto* Dispatcher = new TlcLangDispatcher(&Form);
  TLangForm<> A;
  A.Lang->SetLangDispatcher(Dispatcher);
  A.Lang->SaveAllToBinaryFile(Name);
  EXPECT_EQ(A.Lang->LangDispatcher(), Dispatcher);
  TLCBFileManager M;
  M.LoadAllFromFile(Name);
  EXPECT_EQ(M.Components(0)->LangDispatcher(), nullptr);
  A.Lang->SetLangDispatcher(nullptr);
}

TEST(BinaryTranslationFile, DamagedFilesRaiseTheReadersErrorAndChangeNothing) {
  const String Dir = TestFolder(), Name = Dir + u"good.lcb";
  TLangForm<> A;
  Fill(*A.Lang, "TTestForm", "Main");
  A.Lang->SaveAllToBinaryFile(Name);
  const std::string Good = FileBytes(Name);
  // A wrong head raises "Unrecognized stream format!", a damaged image the component reader's
  // error, each as it was raised.
  const String Unrecognized = u"Unrecognized stream format!";
  const std::pair<std::string, String> Cases[] = {
      {std::string("LCB file: TlcLang binary translation dat\0", 42) + Good.substr(42),
       Unrecognized},
      {Good.substr(0, 40), Unrecognized},
      {Good.substr(0, Good.size() / 2), u""},
      {Good.substr(0, 57) + "\xFF\xFF\xFF\x7F" + Good.substr(61), u""},  // offset too far
  };
  auto ExpectRaises = [](const auto& Load, const String& Message) {
    try {
      Load();
      ADD_FAILURE() << "loaded";
    } catch (const ELanguageError& E) {
      ADD_FAILURE() << ToUtf8(E.Message());
    } catch (const Exception& E) {
      if (Message.empty())
        EXPECT_NE(dynamic_cast<const EReadError*>(&E), nullptr) << ToUtf8(E.Message());
      else
        EXPECT_EQ(E.Message(), Message);
    }
  };
  for (const auto& [Bytes, Message] : Cases) {
    SaveBytesSafely(Dir + u"bad.lcb", Bytes);
    TLangForm<> B;
    B.Lang->Strings()->Add(L("IDS_KEEP|k|"));
    ExpectRaises([&] { B.Lang->LoadAllFromBinaryFile(Dir + u"bad.lcb"); }, Message);
    EXPECT_EQ(LinesOf(*B.Lang->Strings()), (std::vector<String>{L("IDS_KEEP|k|")}));
    TLCBFileManager M;
    ExpectRaises([&] { M.LoadAllFromFile(Dir + u"bad.lcb"); }, Message);
    EXPECT_EQ(M.CompCount(), 0);
  }
  SaveBytesSafely(Dir + u"bad.lcb", Cases[0].first);
  TLangForm<> B;
  // Not overwritten when it cannot be read.
  ExpectRaises([&] { B.Lang->SaveAllToBinaryFile(Dir + u"bad.lcb"); }, Unrecognized);
  EXPECT_EQ(FileBytes(Dir + u"bad.lcb"), Cases[0].first);

  // A record that names more languages than a component takes.
  TLangForm<> Many;
  Fill(*Many.Lang, "TTestForm", "Many");
  for (int I = 3; I <= TlcCustomLang::MaxLanguages + 1; ++I)
    Many.Lang->LangNames()->Add(u"L" + IntToStr(I));
  Many.Lang->SaveAllToBinaryFile(Dir + u"many.lcb");
  B.Lang->Strings()->Add(L("IDS_KEEP|k|"));
  EXPECT_THROW(B.Lang->LoadAllFromBinaryFile(Dir + u"many.lcb"), ELanguageError);
  EXPECT_EQ(B.Lang->NumOfLanguages(), 2);
  EXPECT_EQ(LinesOf(*B.Lang->Strings()), (std::vector<String>{L("IDS_KEEP|k|")}));
}

TEST(BinaryTranslationFile, RecordsThatShareTheirBytesAreADamagedFile) {
  TLangForm<> A;
  Fill(*A.Lang, "TTestForm", "Main");
  TLCBFileManager One;
  One.Add(A.Lang);
  const std::string Good = ImageOf(One);
  // The head (46 bytes) and one entry ("TTestForm" and its offset) before the image; the empty
  // trailer after it.
  const std::string Image = Good.substr(61, Good.size() - 63);
  auto U16 = [](size_t V) {
    return std::string{static_cast<char>(V & 0xFF), static_cast<char>(V >> 8)};
  };
  auto U32 = [&](size_t V) { return U16(V & 0xFFFF) + U16(V >> 16); };
  auto Head = [&](size_t Count) { return Good.substr(0, 42) + U16(Count) + U16(0); };

  // Many entries naming one image: each would become a component of its own.
  constexpr size_t Many = 200;
  std::string Repeated = Head(Many);
  for (size_t I = 0; I < Many; ++I) Repeated += U16(9) + "TTestForm" + U32(46 + Many * 15);
  Repeated += Image + U16(0);
  // An image inside the directory, where an owner class name stands.
  const std::string InDirectory = Head(1) + U16(Image.size()) + Image + U32(48) + U16(0);

  const String Name = TestFolder() + u"shared.lcb";
  for (const std::string& Bytes : {Repeated, InDirectory}) {
    SaveBytesSafely(Name, Bytes);
    TLCBFileManager M;
    EXPECT_THROW(M.LoadAllFromFile(Name), EReadError);
    EXPECT_EQ(M.CompCount(), 0);
  }
  // Loading one form's record reads only as far as its entry.
  SaveBytesSafely(Name, Repeated);
  TLangForm<> B;
  B.Lang->LoadAllFromBinaryFile(Name);
  EXPECT_EQ(LinesOf(*B.Lang->Strings()), (std::vector<String>{L("IDS_1|Main|Текст|")}));
}

TEST(BinaryTranslationFile, FieldsThatDoNotFitAreRefusedBeforeWriting) {
  TLCBFileManager M;
  M.CommentsFileName = String(32768, u'c');
  TMemoryStream S;
  EXPECT_THROW(M.SaveToStream(S), ELanguageError);
  EXPECT_EQ(S.Size(), 0);
  M.CommentsFileName = String(32767, u'c');
  M.SaveToStream(S);
  EXPECT_EQ(S.Size(), 48 + 65534);
  TlcLang Alone(nullptr);
  EXPECT_THROW(Alone.SaveAllToBinaryFile(TestFolder() + u"alone.lcb"), ELanguageError);
}

TEST(BinaryTranslationFile, TwoProgramsSavingFormsIntoOneFileAtOnceKeepBoth) {
  const String Dir = TestFolder();
  constexpr int Files = 10;
  ASSERT_TRUE(SaveTwoFormsAtOnce(Files, [&Dir](TlcCustomLang& Lang, int File) {
    Lang.SaveAllToBinaryFile(Dir + IntToStr(File) + u".lcb");
  }));
  int Kept = 0;
  for (int File = 0; File < Files; ++File) {
    TLCBFileManager M;
    M.LoadAllFromFile(Dir + IntToStr(File) + u".lcb");
    Kept += M.CompCount();
  }
  EXPECT_EQ(Kept, 2 * Files);
}
