#include "ui/control_types.h"

#include <utility>
#include <vector>

const TTypeInfo& TypeInfoTCloseEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TCloseEvent");
  return T;
}

const TTypeInfo& TypeInfoTKeyEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TKeyEvent");
  return T;
}

const TTypeInfo& TypeInfoTAlign() {
  static const TTypeInfo T = EnumTypeInfo(
      u"TAlign", {u"alNone", u"alTop", u"alBottom", u"alLeft", u"alRight", u"alClient"});
  return T;
}

const TTypeInfo& TypeInfoTAlignment() {
  static const TTypeInfo T =
      EnumTypeInfo(u"TAlignment", {u"taLeftJustify", u"taRightJustify", u"taCenter"});
  return T;
}

const TTypeInfo& TypeInfoTTextLayout() {
  static const TTypeInfo T = EnumTypeInfo(u"TTextLayout", {u"tlTop", u"tlCenter", u"tlBottom"});
  return T;
}

const TTypeInfo& TypeInfoTScrollStyle() {
  static const TTypeInfo T =
      EnumTypeInfo(u"TScrollStyle", {u"ssNone", u"ssHorizontal", u"ssVertical", u"ssBoth"});
  return T;
}

const TTypeInfo& TypeInfoTModalResult() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"TModalResult", INT32_MIN, INT32_MAX);
  return T;
}
