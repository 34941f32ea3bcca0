#include <gtest/gtest.h>

#include "core/format_settings.h"
#include "core/scope_exit.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/extended_items.h"
#include "lang/switch_test_window.h"

namespace {

TEST(LanguageSwitch, CaptionsHintsAndTheOwnersLinesFollowTheActiveLanguage) {
  TSwitchWindow W;
  W.Lang->Captions()->Add(L("TForm|Main|Главная|"));
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  W.Lang->Captions()->Add(L("Label1|Name|Имя|"));
  W.Lang->Hints()->Add(L("TForm|Main window|Главное окно|"));
  W.Lang->Hints()->Add(L("Button1|Opens|Открывает|"));
  int Events = 0;
  W.Lang->OnChangeLanguage = TNotifyEvent([&](TObject* Sender) {
    EXPECT_EQ(Sender, W.Lang);
    ++Events;
  });

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Form->Caption(), u"Главная");
  EXPECT_EQ(W.Form->Hint(), u"Главное окно");
  EXPECT_EQ(W.Button->Caption(), u"Открыть");
  EXPECT_EQ(W.Button->Hint(), u"Открывает");
  EXPECT_EQ(W.Label->Caption(), u"Имя");
  EXPECT_EQ(Events, 1);

  // Back and forth ten times leaves what one switch leaves, lists included.
  for (int I = 0; I < 10; ++I) {
    W.Lang->SetActiveLanguage(1);
    EXPECT_EQ(W.Button->Caption(), u"Open");
    EXPECT_EQ(W.Form->Caption(), u"Main");
    W.Lang->SetActiveLanguage(2);
  }
  EXPECT_EQ(W.Button->Caption(), u"Открыть");
  EXPECT_EQ(W.Form->Hint(), u"Главное окно");
  EXPECT_EQ(W.Lang->Captions()->Count(), 3);
  EXPECT_EQ(W.Lang->Hints()->Count(), 2);
  EXPECT_EQ(Events, 21);
}

TEST(LanguageSwitch, AnEmptyTextKeepsTheValueOrFallsBack) {
  TSwitchWindow W;
  W.Lang->Captions()->Add(L("TForm|Main||"));
  W.Lang->Captions()->Add(L("Button1|Open||"));
  W.Lang->Fonts()->Add(L("TForm|Arial||"));
  W.Button->SetCaption(u"Changed");
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Changed");

  W.Lang->SetActiveLanguage(1);
  EXPECT_EQ(W.Form->Font()->Name(), u"Arial");
  W.Button->SetCaption(u"Changed");
  W.Lang->SetTranslateType(ttGetDefault);
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Open");

  // The default language stands in for texts, not for the owner's font name.
  W.Lang->SetTranslateType(ttNoChange);
  W.Lang->SetUseDefaultLanguage(true);
  W.Lang->SetDefaultLanguage(1);
  W.Lang->SetActiveLanguage(1);
  W.Button->SetCaption(u"Changed");
  W.Form->Font()->SetName(u"Courier New");
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Open");
  EXPECT_EQ(W.Form->Font()->Name(), u"Courier New");
}

TEST(LanguageSwitch, FontsTakeTheirNamesAndCharsetsUnlessTheyAreTheParents) {
  TSwitchWindow W;
  W.Lang->Fonts()->Add(L("TForm|Tahoma|Tahoma|"));
  W.Lang->Fonts()->Add(L("Button1|Arial|Times New Roman|"));
  W.Lang->Fonts()->Add(L("Label1|Arial|Arial|"));
  W.Lang->CharSets()->Add(L("TForm|DEFAULT_CHARSET|russian_charset|"));
  W.Lang->CharSets()->Add(L("Button1|DEFAULT_CHARSET|russian_charset|"));
  W.Lang->CharSets()->Add(L("Label1|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  W.Button->Font()->SetName(u"Verdana");
  ASSERT_FALSE(W.Button->ParentFont());
  ASSERT_TRUE(W.Label->ParentFont());

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Font()->Name(), u"Times New Roman");
  EXPECT_EQ(W.Button->Font()->Charset(), 204);  // identifiers match ignoring case here
  EXPECT_EQ(W.Form->Font()->Name(), u"Tahoma");
  EXPECT_EQ(W.Form->Font()->Charset(), DEFAULT_CHARSET);  // but exactly for the owner
  EXPECT_TRUE(W.Label->ParentFont());
  EXPECT_EQ(W.Label->Font()->Name(), u"Tahoma");
  EXPECT_EQ(W.Label->Font()->Charset(), DEFAULT_CHARSET);

  // The owner's charset reaches the controls that show their parent's font.
  W.Lang->SetActiveLanguage(1);
  W.Lang->CharSets()->Put(0, L("TForm|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Form->Font()->Charset(), 204);
  EXPECT_EQ(W.Label->Font()->Charset(), 204);
  EXPECT_TRUE(W.Label->ParentFont());
  EXPECT_EQ(W.Lang->CurrentCharset, 204);
  W.Lang->SetActiveLanguage(1);
  EXPECT_EQ(W.Label->Font()->Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(W.Button->Font()->Name(), u"Arial");
}

TEST(LanguageSwitch, PropertiesByNameGiveNothingForWhatIsMissing) {
  TSwitchWindow W;
  W.Lang->Fonts()->Add(L("Button1|Arial|Tahoma|"));
  W.Lang->CharSets()->Add(L("Button1|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  W.Button->Font()->SetName(u"Verdana");
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Lang->GetComponentFont(W.Button), u"Tahoma");
  EXPECT_EQ(W.Lang->GetComponentCharset(W.Button), 204);
  EXPECT_EQ(W.Lang->GetComponentFont(W.Action), u"");
  EXPECT_EQ(W.Lang->GetComponentCharset(nullptr), 0);
  EXPECT_EQ(W.Lang->GetStrPropByName(W.Button, u"caption"), u"Open");
  EXPECT_EQ(W.Lang->GetStrPropByName(W.Button, u"NoSuch"), u"");
  EXPECT_EQ(W.Lang->GetStrPropByName(nullptr, u"Caption"), u"");
  W.Lang->SetStrPropByName(W.Button, u"NoSuch", u"x");
  W.Lang->SetStrPropByName(nullptr, u"Caption", u"x");
  W.Lang->SetStrPropByName(W.Button, u"CAPTION", u"Go");
  EXPECT_EQ(W.Button->Caption(), u"Go");
}

TEST(LanguageSwitch, MultiLineTextsKeepTheSelectionAndTheWordWrap) {
  TSwitchWindow W;
  W.Memo->Lines()->SetCommaText(u"a,b,c,d,e");
  W.Combo->Items()->SetCommaText(u"One,Two,Three");
  W.Combo->SetItemIndex(1);
  W.Lang->MultiLines()->Add(L("Memo1.Lines|a,b,c,d,e|один,два,три|"));
  W.Lang->MultiLines()->Add(L("Combo1.Items|One,Two,Three|Раз,Два,Три|"));
  std::vector<bool> WrapWhileCopying;
  W.Memo->OnChange =
      TNotifyEvent([&](TObject*) { WrapWhileCopying.push_back(W.Memo->WordWrap()); });

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Memo->Lines()->GetCommaText(), u"один,два,три");
  EXPECT_TRUE(W.Memo->WordWrap());
  EXPECT_EQ(WrapWhileCopying, std::vector<bool>(WrapWhileCopying.size(), false));
  EXPECT_EQ(W.Combo->ItemIndex(), 1);
  EXPECT_EQ(W.Combo->Text(), u"Два");

  W.Memo->SetWordWrap(false);
  W.Lang->SetActiveLanguage(1);
  EXPECT_EQ(W.Memo->Lines()->Count(), 5);
  EXPECT_FALSE(W.Memo->WordWrap());
  EXPECT_EQ(W.Combo->Text(), u"Two");
}

TEST(LanguageSwitch, LocaleLinesWriteTheFormatSettingsOnlyWithChangeLocales) {
  const TFormatSettings Saved = FormatSettings();
  const TScopeExit Restore([&] { FormatSettings() = Saved; });
  TSwitchWindow W;
  const auto AddLocaleLines = [&] {
    W.Lang->Locales()->Add(
        L("Short Day Names|Sun,Mon,Tue,Wed,Thu,Fri,Sat|Вс,Пн,Вт,Ср,Чт,Пт,Сб,X,Y|"));
    W.Lang->Locales()->Add(L("Decimal Separator|.|,.|"));
    W.Lang->Locales()->Add(L("Long Month Names||Январь,Февраль|"));
  };
  AddLocaleLines();
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(FormatSettings().DecimalSeparator, u'.');

  W.Lang->SetActiveLanguage(1);
  W.Lang->SetChangeLocales(true);
  W.Lang->Locales()->Clear();
  AddLocaleLines();
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(FormatSettings().DecimalSeparator, u',');
  EXPECT_EQ(FormatSettings().ShortDayNames[0], u"Вс");
  EXPECT_EQ(FormatSettings().ShortDayNames[6], u"Сб");
  EXPECT_EQ(FormatSettings().LongMonthNames[1], u"Февраль");
  EXPECT_EQ(FormatSettings().LongMonthNames[2], u"March");  // fewer names leave the rest
}

TEST(LanguageSwitch, CollectionItemsAndTheLinesThatCannotReachOne) {
  TSwitchWindow W;
  TStrings& C = *W.Lang->Collections();
  C.Add(L("Bar1.Panels[0].Text|Ready|Готово|"));
  C.Add(L("Bar1.Panels[0].Missing|A|Б|"));   // no such item property: goes
  C.Add(L("Bar1.Panels[x].Text|A|Б|"));      // no index: stays, stops nothing
  C.Add(L("Bar1.Font.Items[0].Text|A|Б|"));  // the font holds no collection: stays
  C.Add(L("Bar1.Panels[3].Text|A|Б|"));      // beyond the last panel: kept aside
  int Events = 0;
  W.Lang->OnChangeLanguage = TNotifyEvent([&](TObject*) { ++Events; });

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Bar->Panels()->Items(0)->Text(), u"Готово");
  EXPECT_EQ(Events, 1);
  ASSERT_EQ(C.Count(), 3);
  EXPECT_EQ(C.Get(1), L("Bar1.Panels[x].Text|A|Б|"));
  EXPECT_EQ(C.Get(2), L("Bar1.Font.Items[0].Text|A|Б|"));
  ASSERT_EQ(W.Lang->TmpStrings()->Count(), 1);
  EXPECT_EQ(W.Lang->TmpStrings()->Get(0), L("Bar1.Panels[3].Text|A|Б|"));
}

TEST(LanguageSwitch, SettingOneListAppliesOnlyItsCategoryUntilTheLanguageChanges) {
  TSwitchWindow W;
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  W.Lang->Hints()->Add(L("Button1|Opens|Открывает|"));
  W.Lang->SetActiveLanguage(2);
  W.Button->SetCaption(u"Open");
  W.Button->SetHint(u"Opens");

  TStringList Captions;
  Captions.Assign(*W.Lang->Captions());
  W.Lang->SetCaptions(&Captions);
  EXPECT_EQ(W.Button->Caption(), u"Открыть");
  EXPECT_EQ(W.Button->Hint(), u"Opens");
  W.Lang->ChangeLanguage();  // as after a file load
  EXPECT_EQ(W.Button->Hint(), u"Opens");

  W.Lang->SetActiveLanguage(1);
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Hint(), u"Открывает");
}

TEST(LanguageSwitch, ComponentsLeftOutOfTheSwitch) {
  TSwitchWindow W;
  W.Lang->Captions()->Add(L("TForm|Main|Главная|"));
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  W.Lang->Captions()->Add(L("Label1|Name|Имя|"));
  W.Lang->MultiLines()->Add(L("Combo1.Items|One|Раз|"));
  W.Lang->DoNotTranslate()->Add(u"TForm");
  W.Lang->DoNotTranslate()->Add(u"combo1");
  W.Lang->DoNotTranslate()->Add(u"!TLabel");
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Form->Caption(), u"Main");
  EXPECT_EQ(W.Label->Caption(), u"Name");
  EXPECT_EQ(W.Combo->Items()->Count(), 0);
  EXPECT_EQ(W.Button->Caption(), u"Открыть");
}

TEST(LanguageSwitch, TheTextHookRewritesAndAFailingLineStopsNothing) {
  TSwitchWindow W;
  const TScopeExit Unhook([] { SetTextPropHook = nullptr; });
  SetTextPropHook = [&](TObject* Obj, const TPropInfo&, String& Text) {
    if (Obj == W.Label) throw Exception(u"refused");
    Text += u"!";
  };
  W.Lang->Captions()->Add(L("Label1|Name|Имя|"));
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  W.Lang->MultiLines()->Add(L("Memo1.Lines|a|б,в|"));
  TlcExtendedItem* Item = W.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"Panel1.Caption");
  Item->SetValues(L("Panel|Панель|"));
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Label->Caption(), u"Name");
  EXPECT_EQ(W.Button->Caption(), u"Открыть!");
  EXPECT_EQ(W.Memo->Lines()->GetCommaText(), u"б!,в!");
  EXPECT_EQ(W.Panel->Caption(), u"Панель!");
}

TEST(LanguageSwitch, ExtendedTranslationsComeLastOrFirstAsAsked) {
  TSwitchWindow W;
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  TlcExtendedItem* Item = W.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"Button1.Caption");
  Item->SetValues(L("Open|Открыть всё|"));
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Открыть всё");
  W.Lang->SetActiveLanguage(1);
  W.Lang->SetTranslateExtendedFirst(true);
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Открыть");
}

TEST(LanguageSwitch, CharsetsOfTheLanguagesComeFromTheOwnerLineOrALinkedForm) {
  TComponentPtr<TlcLangDispatcher> Dispatcher(new TlcLangDispatcher(nullptr));
  Dispatcher->SetNumOfLanguages(2);
  TSwitchWindow Lender;
  Lender.Lang->CharSets()->Add(L("TForm|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  TSwitchWindow W;
  W.Lang->RefreshCharsetArray();
  EXPECT_EQ(W.Lang->CharsetArray(), (std::vector<TFontCharset>{1, 1}));

  Lender.Lang->SetLangDispatcher(Dispatcher.get());
  W.Lang->SetLangDispatcher(Dispatcher.get());
  W.Lang->RefreshCharsetArray();
  EXPECT_EQ(W.Lang->CharsetArray(), (std::vector<TFontCharset>{1, 204}));
  EXPECT_EQ(W.Lang->FontsInfoHolder(), Lender.Lang);
}

}  // namespace
