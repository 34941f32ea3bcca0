#include <gtest/gtest.h>

#include <array>

#include "core/exceptions.h"
#include "core/restore.h"
#include "lang/custom_lang.h"
#include "lang/dialogs/res_string_hook.h"
#include "lang/lang_test_support.h"
#include "ui/msg_dlg_texts.h"
#include "ui/ui_res_strings.h"

namespace {

// A form whose translation component takes the hook as it finishes loading.
struct THookedForm {
  explicit THookedForm(bool HandleResourceStrings = true) : Lang(new TlcLang(&Form)) {
    Lang->SetState(csLoading, true);
    Lang->SetHandleResourceStrings(HandleResourceStrings);
    Lang->SetNumOfLanguages(2);
    Lang->Strings()->Add(L("IDS_1|Warning|Предупреждение|"));
    Lang->Strings()->Add(L("IDS_2|List index out of bounds (%d)|Индекс вне границ (%d)|"));
    Lang->Strings()->Add(L("IDS_3|&Yes|&Да|"));
    Lang->Strings()->Add(L("IDS_4|Cancel||"));
    Lang->Strings()->Add(L("IDS_5|error|ошибка|"));
    Lang->FinishLoading();
  }
  TTestForm Form;
  TlcLang* Lang;
};

TEST(ResStringHook, LibraryTextsComeInTheActiveLanguageWhileTheHookIsHeld) {
  {
    THookedForm F;
    ASSERT_EQ(ResStringHookComponent(), F.Lang);
    // The resource language is active: every text as loaded.
    EXPECT_EQ(String(SMsgDlgWarning), u"Warning");

    F.Lang->SetActiveLanguage(2);
    EXPECT_EQ(String(SMsgDlgWarning), FromUtf8("Предупреждение"));
    EXPECT_EQ(MsgDlgTexts()[4], FromUtf8("&Да"));
    // By identifier too; the format is translated first, so its placeholder is filled.
    EXPECT_EQ(LoadStr(ResIdentifier(SMsgDlgYes)), FromUtf8("&Да"));
    EXPECT_EQ(FmtLoadStr(ResIdentifier(SListIndexError), {int64_t{5}}),
              FromUtf8("Индекс вне границ (5)"));
    // An error the class library raises carries the translated text.
    try {
      TStringList().Get(5);
      FAIL();
    } catch (const EStringListError& E) {
      EXPECT_EQ(E.Message(), FromUtf8("Индекс вне границ (5)"));
    }
    // An empty translation, a text that matches only ignoring case, or none at all: as loaded.
    EXPECT_EQ(String(SMsgDlgCancel), u"Cancel");
    EXPECT_EQ(String(SMsgDlgError), u"Error");
    EXPECT_EQ(String(SMsgDlgHelp), u"&Help");

    F.Lang->SetActiveLanguage(1);
    EXPECT_EQ(String(SMsgDlgWarning), u"Warning");
    F.Lang->SetActiveLanguage(2);
  }
  // The component went, and the hook with it.
  EXPECT_EQ(ResStringHookComponent(), nullptr);
  EXPECT_EQ(ResStringLoaders().ByRecord, LibraryResStringLoaders().ByRecord);
  EXPECT_EQ(String(SMsgDlgWarning), u"Warning");
}

TEST(ResStringHook, OnlyTheFirstComponentThatAsksTakesTheHook) {
  THookedForm NotAsking(false);
  EXPECT_EQ(ResStringHookComponent(), nullptr);
  auto First = std::make_unique<THookedForm>();
  THookedForm Second;
  EXPECT_EQ(ResStringHookComponent(), First->Lang);
  Second.Lang->SetActiveLanguage(2);
  EXPECT_EQ(String(SMsgDlgWarning), u"Warning");
  First->Lang->SetActiveLanguage(2);
  EXPECT_EQ(String(SMsgDlgWarning), FromUtf8("Предупреждение"));
  // Freeing the second changes nothing; freeing the first lets go.
  First.reset();
  EXPECT_EQ(ResStringHookComponent(), nullptr);
  EXPECT_EQ(String(SMsgDlgWarning), u"Warning");
  // A component that finishes loading later takes it again.
  THookedForm Third;
  Third.Lang->SetActiveLanguage(2);
  EXPECT_EQ(String(SMsgDlgWarning), FromUtf8("Предупреждение"));
}

TEST(ResStringHook, LongTextsAreCutToTheBufferAndKeysWinWithinTheIdentifierLimit) {
  static const String Long(1500, u'x');
  static const TResStringEntry Entries[] = {{7, Long.c_str()}};
  static const TResModule Module{Entries};
  const TResStringRec Rec{&Module, 7};
  EXPECT_EQ(LoadResString(&Rec).size(), 1500u);

  THookedForm F;
  EXPECT_EQ(LoadResString(&Rec).size(), 1023u);
  F.Lang->Strings()->Add(L("IDS_RES_65204|Yes, by key|&Да, по ключу|"));
  F.Lang->UpdateStrCollections();
  F.Lang->SetActiveLanguage(2);
  EXPECT_EQ(String(SMsgDlgYes), FromUtf8("&Да"));
  const TRestore<int> Limit(ResStringIdentLimit, 65535);
  EXPECT_EQ(String(SMsgDlgYes), FromUtf8("&Да, по ключу"));
  EXPECT_EQ(String(SMsgDlgWarning), FromUtf8("Предупреждение"));  // no key: by its text
}

}  // namespace
