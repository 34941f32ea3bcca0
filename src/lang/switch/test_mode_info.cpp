#include "lang/switch/test_mode_info.h"

const TTypeInfo& TypeInfoTTestModeKind() {
  static const TTypeInfo T =
      EnumTypeInfo(u"TTestModeKind", {u"tmkExpandWidth", u"tmkFlipCase", u"tmkExpandChars"});
  return T;
}

const TClassType& TTestModeInfo::StaticClassType() {
  static const TClassType T(u"TTestModeInfo", &TPersistent::StaticClassType(), [](TClassType& C) {
    using I = TTestModeInfo;
    TPropsOf<I>(C)
        .Ord(u"Active", TypeInfoBoolean(), &I::Active, &I::SetActive, 0)
        .Ord(u"Kind", TypeInfoTTestModeKind(), &I::Kind, &I::SetKind, tmkExpandWidth)
        .Ord(u"ExpandWidthPercent", TypeInfoInteger(), &I::ExpandWidthPercent,
             &I::SetExpandWidthPercent, 100)
        .Ord(u"ExpandCharsPercent", TypeInfoInteger(), &I::ExpandCharsPercent,
             &I::SetExpandCharsPercent, 100)
        .Ord(u"PaddingChar", TypeInfoWideChar(), &I::PaddingChar, &I::SetPaddingChar, u'*');
  });
  return T;
}
