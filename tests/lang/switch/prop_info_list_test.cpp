#include <gtest/gtest.h>

#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/lang_test_support.h"
#include "lang/switch/prop_info_list.h"

namespace {

TEST(PropInfoList, FiltersSortsAndFindsIgnoringAsciiCase) {
  TlcLang Lang(nullptr);
  const TlcPropInfoList All(&Lang, AllButEventKinds);
  for (int I = 1; I < All.Count(); ++I)
    EXPECT_LE(lcCompareText(All.GetName(I - 1), All.GetName(I)), 0) << I;
  EXPECT_EQ(All.Find(u"OnChangeLanguage"), nullptr);  // events are in no list
  EXPECT_EQ(All.Find(u"OnLanguageChanging"), nullptr);
  ASSERT_NE(All.Find(u"captions"), nullptr);
  EXPECT_EQ(All.Find(u"captions")->Name, u"Captions");
  EXPECT_EQ(All.Find(u"CAPTİONS"), nullptr);  // a non-ASCII letter is not folded

  const TlcPropInfoList Strings(&Lang, StringKinds);
  ASSERT_EQ(Strings.Count(), 3);
  EXPECT_EQ(Strings.GetName(0), u"Language");
  EXPECT_EQ(Strings.GetName(1), u"Name");
  EXPECT_EQ(Strings.GetName(2), u"Version");

  const TlcPropInfoList None(&Lang, TTypeKinds{1u << tkFloat});
  EXPECT_EQ(None.Count(), 0);
  EXPECT_EQ(None.Find(u"Captions"), nullptr);
}

TEST(PropInfoList, IntersectKeepsTheCommonPropertiesInOrder) {
  TlcLang Lang(nullptr);
  TTestForm Form;
  TlcPropInfoList Mine(&Lang, AllButEventKinds);
  const TlcPropInfoList Classes(&Lang, ClassKinds);
  Mine.Intersect(Classes);
  EXPECT_EQ(Mine.Count(), Classes.Count());
  for (int I = 0; I < Mine.Count(); ++I) EXPECT_EQ(Mine.GetName(I), Classes.GetName(I));

  // Properties inherited from one class are the same on both; the form's own are not.
  TlcPropInfoList FormProps(&Form, AllButEventKinds);
  FormProps.Intersect(TlcPropInfoList(&Lang, AllButEventKinds));
  EXPECT_NE(FormProps.Find(u"Name"), nullptr);
  EXPECT_EQ(FormProps.Find(u"Caption"), nullptr);
  EXPECT_EQ(FormProps.Find(u"Font"), nullptr);

  EXPECT_THROW(Mine.Delete(Mine.Count()), EListError);
  EXPECT_THROW(Mine.GetItem(-1), EListError);
}

TEST(PropInfoList, NilObjectRaises) {
  try {
    TlcPropInfoList List(nullptr, AllButEventKinds);
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"NIL passed as AObject in TlcPropInfoList.Create!");
  }
}

TEST(PropInfoList, CategoryListsAreFoundByPublishedName) {
  TlcLang Lang(nullptr);
  EXPECT_EQ(Lang.GetPropListByType(stCaptions), Lang.Captions());
  EXPECT_EQ(Lang.GetPropListByType(stOtherStrings), Lang.OtherStrings());
  EXPECT_EQ(Lang.GetPropListByType(stLocales), Lang.Locales());
  EXPECT_EQ(Lang.GetPropListByType(stListView_TreeView_Items), nullptr);
  // A published object that is not a string list is not a category list.
  EXPECT_EQ(Lang.GetPropListByName(u"ExtendedTranslations"), nullptr);
  EXPECT_EQ(Lang.GetPropListByName(u"Version"), nullptr);
}

class TBareLang : public TlcCustomLang {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TBareLang", &TlcCustomLang::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TlcCustomLang::TlcCustomLang;
};

TEST(PropInfoList, AComponentThatPublishesNoListsHasNone) {
  TBareLang Lang(nullptr);
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat)
    EXPECT_EQ(Lang.GetPropListByType(static_cast<TStringsType>(Cat)), nullptr);
}

}  // namespace
