#include <gtest/gtest.h>

#include "component/prop_text.h"
#include "component/test_classes.h"
#include "core/exceptions.h"

namespace {

const TPropInfo& Prop(const TObject& O, const char16_t* Name) {
  return *O.ClassType().FindProp(Name);
}

String Text(const TObject& O, const char16_t* Name) {
  return GetPropText(O, Prop(O, Name));
}

void SetText(TObject& O, const char16_t* Name, const String& Value) {
  SetPropText(O, Prop(O, Name), Value);
}

}  // namespace

TEST(PropText, EveryKindReadsAsTextAndWritesItBack) {
  TTestComp C(nullptr);
  C.SetNumber(-42);
  C.SetBig(int64_t{1} << 40);
  C.SetFlag(true);
  C.SetShade(shBlue);
  C.SetShades((1 << shRed) | (1 << shBlue));
  C.SetLetter(u'я');
  C.SetRatio(2.5);
  C.SetCaption(u"Привет");
  EXPECT_EQ(Text(C, u"Number"), u"-42");
  EXPECT_EQ(Text(C, u"Big"), u"1099511627776");
  EXPECT_EQ(Text(C, u"Flag"), u"True");
  EXPECT_EQ(Text(C, u"Shade"), u"shBlue");
  EXPECT_EQ(Text(C, u"Shades"), u"shRed,shBlue");
  EXPECT_EQ(Text(C, u"Letter"), u"я");
  EXPECT_EQ(Text(C, u"Ratio"), u"2.5");
  EXPECT_EQ(Text(C, u"Caption"), u"Привет");
  EXPECT_EQ(Text(C, u"Lines"), u"");
  EXPECT_EQ(Text(C, u"OnClick"), u"");

  // Every value goes back through its own text, the 64-bit one beyond 32 bits included.
  TTestComp D(nullptr);
  for (const char16_t* Name :
       {u"Number", u"Big", u"Flag", u"Shade", u"Shades", u"Letter", u"Ratio", u"Caption"})
    SetText(D, Name, Text(C, Name));
  EXPECT_EQ(D.Number(), -42);
  EXPECT_EQ(D.Big(), int64_t{1} << 40);
  EXPECT_TRUE(D.Flag());
  EXPECT_EQ(D.Shade(), shBlue);
  EXPECT_EQ(D.Shades(), (1 << shRed) | (1 << shBlue));
  EXPECT_EQ(D.Letter(), u'я');
  EXPECT_EQ(D.Ratio(), 2.5);
  EXPECT_EQ(D.Caption(), u"Привет");

  // Identifiers ignore ASCII case; a set may come in brackets with blanks.
  SetText(D, u"Shade", u"SHGREEN");
  SetText(D, u"Shades", u"[ shGreen , shBlue ]");
  SetText(D, u"Shades", u"[]");
  EXPECT_EQ(D.Shade(), shGreen);
  EXPECT_EQ(D.Shades(), 0);
}

TEST(PropText, TextThatIsNoValueLeavesThePropertyAsItWas) {
  TTestComp C(nullptr);
  C.SetNumber(7);
  C.SetCount(9);
  C.SetShade(shGreen);
  C.SetShades(1 << shBlue);
  C.SetLetter(u'x');
  C.SetRatio(1.5);
  EXPECT_THROW(SetText(C, u"Number", u"seven"), EConvertError);
  EXPECT_THROW(SetText(C, u"Number", u"4294967296"), EConvertError);
  EXPECT_THROW(SetText(C, u"Count", u"256"), EConvertError);  // beyond the Byte range
  EXPECT_THROW(SetText(C, u"Count", u"-1"), EConvertError);
  EXPECT_THROW(SetText(C, u"Shade", u"shPurple"), EConvertError);
  EXPECT_THROW(SetText(C, u"Shades", u"shRed,shPurple"), EPropertyError);
  EXPECT_THROW(SetText(C, u"Letter", u"xy"), EConvertError);
  EXPECT_THROW(SetText(C, u"Ratio", u"1,5"), EConvertError);
  EXPECT_EQ(C.Number(), 7);
  EXPECT_EQ(C.Count(), 9);
  EXPECT_EQ(C.Shade(), shGreen);
  EXPECT_EQ(C.Shades(), 1 << shBlue);
  EXPECT_EQ(C.Letter(), u'x');
  EXPECT_EQ(C.Ratio(), 1.5);

  // Kinds without text are left alone; a text kind without a writer is refused.
  SetText(C, u"Lines", u"a,b");
  EXPECT_EQ(C.Lines()->Count(), 0);
  TPropInfo ReadOnly = Prop(C, u"Number");
  ReadOnly.SetOrd = nullptr;
  EXPECT_THROW(SetPropText(C, ReadOnly, u"1"), EPropertyError);
  EXPECT_EQ(GetPropText(C, ReadOnly), u"7");
}
