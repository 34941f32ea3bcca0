#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/file_test_support.h"
#include "lang/files/binary_translation_file.h"
#include "lang/files/text_translation_file.h"

namespace {

// Two forms of different classes, each with its own text under one key, linked to one
// dispatcher in English and Russian.
class DispatcherFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = TestFolder();
    First.Lang->Strings()->Add(L("IDS_1|One|Один|"));
    Second.Lang->Strings()->Add(L("IDS_1|Two|Два|"));
    TStringList Names;
    Names.SetText(u"English\r\nRussian\r\n");
    Dispatcher->SetLangNames(&Names);
    for (TlcLang* Lang : {First.Lang, Second.Lang}) {
      Lang->SetStoreAsUTF8(true);
      Lang->UpdateStrCollections();
      Lang->SetLangDispatcher(Dispatcher.get());
    }
  }

  // Saved through the dispatcher, then every component emptied.
  String SavedAndCleared(const char16_t* Name) {
    const String File = Folder + Name;
    if (IsLCBFileName(File))
      Dispatcher->SaveAllToBinaryFile(File);
    else
      Dispatcher->SaveAllToFile(File, DefaultFileDelimiter);
    for (TlcLang* Lang : {First.Lang, Second.Lang}) Lang->ClearTranslations();
    return File;
  }

  void ExpectTexts(const char* One, const char* Two) {
    EXPECT_EQ(First.Lang->GetTextOrDefault(u"IDS_1"), FromUtf8(One));
    EXPECT_EQ(Second.Lang->GetTextOrDefault(u"IDS_1"), FromUtf8(Two));
  }

  String Folder;
  TLangForm<TTestForm> First;
  TLangForm<TOtherTestForm> Second;
  TComponentPtr<TlcLangDispatcher> Dispatcher{new TlcLangDispatcher(nullptr)};
};

TEST_F(DispatcherFiles, OneFileLoadedOnceReachesEveryComponent) {
  for (const char16_t* Name : {u"all.lng", u"all.lcb"}) {
    SCOPED_TRACE(ToUtf8(Name));
    const String File = SavedAndCleared(Name);
    ExpectTexts("", "");
    // Names the components do not have yet: the file brings them back to every one.
    TStringList Names;
    Names.SetText(u"A\r\nB\r\n");
    Dispatcher->SetLangNames(&Names);
    Dispatcher->LoadAllFromFile(File);
    ExpectTexts("One", "Two");
    EXPECT_EQ(Dispatcher->LangNames()->GetText(), u"English\r\nRussian\r\n");
    EXPECT_EQ(Second.Lang->LangNames()->GetText(), u"English\r\nRussian\r\n");
    Dispatcher->SetActiveLanguage(2);
    ExpectTexts("Один", "Два");
    Dispatcher->SetActiveLanguage(1);
  }
}

TEST_F(DispatcherFiles, AComponentLinkingLoadsTheDispatchersFileInItsLanguage) {
  for (const char16_t* Name : {u"link.lng", u"link.LCB"}) {
    SCOPED_TRACE(ToUtf8(Name));
    const String File = SavedAndCleared(Name);
    const bool Binary = IsLCBFileName(File);
    if (Binary) {
      const auto M = TLCBFileManager::CreateByName(File);
      TStringList Fixed;
      Fixed.Add(u"Russian");
      M->SetFixedLanguages(&Fixed);
      M->SaveToFile(File);
    }
    Dispatcher->SetFileName(File);
    Dispatcher->SetActiveLanguage(2);
    std::vector<TlcCustomLang*> Linked;
    Dispatcher->OnLinkToDispatcher =
        TLinkToDispatcherEvent([&](TObject*, TlcCustomLang* L) { Linked.push_back(L); });
    TLangForm<TOtherTestForm> Third;
    Third.Lang->SetLangDispatcher(Dispatcher.get());
    EXPECT_EQ(Linked, std::vector<TlcCustomLang*>{Third.Lang});
    EXPECT_EQ(Third.Lang->ActiveLanguage(), 2);
    EXPECT_EQ(Third.Lang->GetTextOrDefault(u"IDS_1"), FromUtf8("Два"));
    // A binary file is read through the dispatcher's own manager, which takes its fixed
    // languages.
    ASSERT_EQ(Dispatcher->LCBManager() != nullptr, Binary);
    if (Binary) {
      EXPECT_EQ(Dispatcher->LCBManager()->FixedLanguages()->GetText(), u"Russian\r\n");
    }
    Dispatcher->OnLinkToDispatcher = {};
    Dispatcher->SetActiveLanguage(1);
    EXPECT_EQ(Third.Lang->GetTextOrDefault(u"IDS_1"), u"Two");
    Dispatcher->LoadAllFromFile(File);  // the others get their texts back for the next round
  }
}

TEST_F(DispatcherFiles, AMissingFileChangesNothing) {
  EXPECT_THROW(Dispatcher->LoadAllFromFile(Folder + u"none.lng"), ELanguageError);
  EXPECT_THROW(Dispatcher->LoadAllFromFile(Folder + u"none.lcb"), ELanguageError);
  ExpectTexts("One", "Two");
  // Named for linking, it is only passed over.
  Dispatcher->SetFileName(Folder + u"none.lng");
  Dispatcher->SetActiveLanguage(2);
  TLangForm<TTestForm> Third;
  Third.Lang->Strings()->Add(L("IDS_1|Three|Три|"));
  Third.Lang->UpdateStrCollections();
  Third.Lang->SetLangDispatcher(Dispatcher.get());
  EXPECT_EQ(Third.Lang->GetTextOrDefault(u"IDS_1"), FromUtf8("Три"));
}

TEST_F(DispatcherFiles, ABinaryStreamReachesEveryComponent) {
  const String File = SavedAndCleared(u"stream.lcb");
  TMemoryStream In(FileBytes(File));
  In.SetPosition(In.Size());
  Dispatcher->LoadAllFromStream(In);
  ExpectTexts("One", "Two");
}

}  // namespace
