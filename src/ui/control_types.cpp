#include "ui/control_types.h"

#include <utility>
#include <vector>

namespace {

TTypeInfo MakeEnum(String Name, std::vector<String> Names) {
  TTypeInfo T;
  T.Kind = tkEnumeration;
  T.Name = std::move(Name);
  T.MaxValue = static_cast<int64_t>(Names.size()) - 1;
  T.EnumNames = std::move(Names);
  return T;
}

TTypeInfo MakeMethod(String Name) {
  TTypeInfo T;
  T.Kind = tkMethod;
  T.Name = std::move(Name);
  return T;
}

}  // namespace

const TTypeInfo& TypeInfoTCloseEvent() {
  static const TTypeInfo T = MakeMethod(u"TCloseEvent");
  return T;
}

const TTypeInfo& TypeInfoTKeyEvent() {
  static const TTypeInfo T = MakeMethod(u"TKeyEvent");
  return T;
}

const TTypeInfo& TypeInfoTAlign() {
  static const TTypeInfo T =
      MakeEnum(u"TAlign", {u"alNone", u"alTop", u"alBottom", u"alLeft", u"alRight", u"alClient"});
  return T;
}

const TTypeInfo& TypeInfoTAlignment() {
  static const TTypeInfo T =
      MakeEnum(u"TAlignment", {u"taLeftJustify", u"taRightJustify", u"taCenter"});
  return T;
}

const TTypeInfo& TypeInfoTTextLayout() {
  static const TTypeInfo T = MakeEnum(u"TTextLayout", {u"tlTop", u"tlCenter", u"tlBottom"});
  return T;
}

const TTypeInfo& TypeInfoTScrollStyle() {
  static const TTypeInfo T =
      MakeEnum(u"TScrollStyle", {u"ssNone", u"ssHorizontal", u"ssVertical", u"ssBoth"});
  return T;
}

const TTypeInfo& TypeInfoTModalResult() {
  static const TTypeInfo T = [] {
    TTypeInfo M;
    M.Kind = tkInteger;
    M.Name = u"TModalResult";
    M.MinValue = INT32_MIN;
    M.MaxValue = INT32_MAX;
    return M;
  }();
  return T;
}
