#include "lang/switch/test_mode.h"

#include <gtest/gtest.h>

#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch_test_window.h"
#include "lang/table/strings_collection.h"

namespace {

TEST(TestModeTransforms, FlipCaseAndExpandChars) {
  EXPECT_EQ(FlipCase(u"Open"), u"oPEN");
  EXPECT_EQ(FlipCase(u"Порт 1"), u"пОРТ 1");
  EXPECT_EQ(ExpandChars(u"abc", u'*', 100), u"a*b*c*");
  EXPECT_EQ(ExpandChars(u"abc", u'*', 50), u"abc*");
  EXPECT_EQ(ExpandChars(u"abc", u'*', 200), u"a**b**c**");
  EXPECT_EQ(ExpandChars(u"Open", u'*', 100), u"O*p*e*n*");
  EXPECT_EQ(ExpandChars(u"%d files", u'*', 100), u"%d files");  // a format stays usable
  EXPECT_EQ(FlipCase(u""), u"");
  EXPECT_EQ(ExpandChars(u"", u'*', 100), u"");
}

TEST(TestModeTransforms, ExpandWidthPadsBeforeTheLastCharacterThenTowardTheFront) {
  const auto Chars = [](const String& S) { return static_cast<int>(S.size()); };
  EXPECT_EQ(ExpandWidth(u"abcd", u'*', 100, Chars), u"A**BC**D");
  EXPECT_EQ(ExpandWidth(u"abcd", u'*', 0, Chars), u"ABCD");
  EXPECT_EQ(ExpandWidth(u"a", u'*', 200, Chars), u"**A");
  EXPECT_EQ(ExpandWidth(u"", u'*', 100, Chars), u"");
  // A fill character without width would never reach the target.
  const auto NoPadWidth = [](const String& S) {
    return static_cast<int>(std::count_if(S.begin(), S.end(), [](char16_t C) { return C != 0; }));
  };
  EXPECT_EQ(ExpandWidth(u"ab", u'\0', 100, NoPadWidth).size(), 3u);  // one try, then it stops
  // A percentage whose product passes 32 bits still pads, as far as a control could show.
  EXPECT_EQ(ExpandWidth(u"abc", u'*', 1'500'000'000, Chars).size(), 3u + 4096u);
}

struct TTestModeWindow : TSwitchWindow {
  TTestModeWindow() : Dispatcher(new TlcLangDispatcher(nullptr)) {
    Dispatcher->SetNumOfLanguages(2);
    Lang->SetLangDispatcher(Dispatcher.get());
    Info().SetActive(true);
    Info().SetKind(tmkFlipCase);
  }
  TTestModeInfo& Info() { return *Dispatcher->TestModeInfo(); }
  TComponentPtr<TlcLangDispatcher> Dispatcher;
};

TEST(TestMode, MissingTextsShowTheTransformedFirstLanguageOnlyAboveLanguageOne) {
  TTestModeWindow W;
  W.Lang->Strings()->Add(L("Open|Open||"));
  W.Lang->Strings()->Add(L("Empty|||"));
  W.Lang->Strings()->Add(L("Done|Done|Готово|"));
  W.Lang->UpdateStrCollections();
  EXPECT_EQ(W.Lang->GetTextOrDefault(u"Open"), u"Open");

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Lang->GetTextOrDefault(u"Open"), u"oPEN");
  EXPECT_EQ(W.Lang->GetTextFrom(*W.Lang->DlgsCaptions(), u"Open", false, true), u"");
  EXPECT_EQ(W.Lang->GetTextOrDefault(u"Done"), u"Готово");
  EXPECT_EQ(W.Lang->GetTextOrDefault(u"Empty"), u"");
  W.Lang->RebuildStringsCollection(*W.Lang->LangStringsColl(), 1);
  EXPECT_EQ(W.Lang->LangStringsColl()->GetTranslationByLang(u"Open", 2), u"oPEN");
  EXPECT_EQ(W.Lang->LangStringsColl()->GetTranslationByLang(u"Open", 1), u"Open");
  W.Info().SetKind(tmkExpandChars);
  EXPECT_EQ(W.Lang->GetTextOrDefault(u"Open"), u"O*p*e*n*");
  W.Info().SetKind(tmkExpandWidth);
  W.Info().SetExpandWidthPercent(50);
  const String Wide = W.Lang->GetTextOrDefault(u"Open");
  EXPECT_TRUE(Wide.starts_with(u"O") && Wide.ends_with(u"N") && Wide.size() > 4) << ToUtf8(Wide);

  W.Info().SetActive(false);
  EXPECT_EQ(W.Lang->GetTextOrDefault(u"Open"), u"Open");
}

TEST(TestMode, TheSwitchTransformsTextsButNotFonts) {
  TTestModeWindow W;
  W.Lang->Captions()->Add(L("TForm|Main||"));
  W.Lang->Captions()->Add(L("Button1|Open||"));
  W.Lang->Hints()->Add(L("Button1|Opens||"));
  W.Lang->Fonts()->Add(L("Button1|Arial||"));
  W.Lang->MultiLines()->Add(L("Memo1.Lines|One,Two||"));
  W.Lang->Collections()->Add(L("Bar1.Panels[0].Text|Ready||"));
  W.Button->Font()->SetName(u"Courier New");

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Form->Caption(), u"mAIN");
  EXPECT_EQ(W.Button->Caption(), u"oPEN");
  EXPECT_EQ(W.Button->Hint(), u"oPENS");
  EXPECT_EQ(W.Memo->Lines()->GetCommaText(), u"oNE,tWO");
  EXPECT_EQ(W.Bar->Panels()->Items(0)->Text(), u"rEADY");
  EXPECT_EQ(W.Button->Font()->Name(), u"Courier New");

  // Off again: the missing texts leave the controls as they are.
  W.Lang->SetActiveLanguage(1);
  EXPECT_EQ(W.Button->Caption(), u"Open");
  W.Info().SetActive(false);
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Open");
}

}  // namespace
