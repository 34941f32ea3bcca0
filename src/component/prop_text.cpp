#include "component/prop_text.h"

#include "core/exceptions.h"
#include "core/settings_text.h"

namespace {

bool IsStringKind(TTypeKind K) {
  return K == tkString || K == tkLString || K == tkWString || K == tkUString;
}

[[noreturn]] void NotAValue(const String& Text, const TTypeInfo& Type) {
  throw EConvertError(Format(u"'%s' is not a valid %s value", {Text, Type.Name}));
}

}  // namespace

String GetPropText(const TObject& Instance, const TPropInfo& Prop) {
  const TTypeInfo& Type = *Prop.PropType;
  if (IsStringKind(Type.Kind)) return Prop.GetStr ? Prop.GetStr(Instance) : String();
  if (Type.Kind == tkFloat) return Prop.GetFloat ? FloatToStr(Prop.GetFloat(Instance)) : String();
  if (!Prop.GetOrd) return {};
  const int64_t V = Prop.GetOrd(Instance);
  switch (Type.Kind) {
    case tkInteger:
    case tkInt64:
      return IntToStr(V);
    case tkChar:
    case tkWChar:
      return String(1, static_cast<char16_t>(V));
    case tkEnumeration:
      return GetEnumName(Type, V);
    case tkSet:
      return SetToString(Type, V);
    default:
      return {};
  }
}

void SetPropText(TObject& Instance, const TPropInfo& Prop, const String& Text) {
  const TTypeInfo& Type = *Prop.PropType;
  const bool HasText = IsStringKind(Type.Kind) || Type.Kind == tkFloat || Type.Kind == tkInteger ||
                       Type.Kind == tkInt64 || Type.Kind == tkChar || Type.Kind == tkWChar ||
                       Type.Kind == tkEnumeration || Type.Kind == tkSet;
  if (!HasText) return;
  if (!Prop.HasWriter()) throw EPropertyError(Format(u"Property %s is read-only", {Prop.Name}));
  if (IsStringKind(Type.Kind)) {
    if (Prop.SetStr) Prop.SetStr(Instance, Text);
    return;
  }
  if (Type.Kind == tkFloat) {
    if (Prop.SetFloat) Prop.SetFloat(Instance, StrToFloat(Text));
    return;
  }
  if (!Prop.SetOrd) return;
  int64_t V = 0;
  switch (Type.Kind) {
    case tkInteger:
    case tkInt64:
      // The full range of the type: a value read as text always writes back.
      if (!TryStrToInt64(Text, V) || V < Type.MinValue || V > Type.MaxValue)
        throw EConvertError(Format(SInvalidInteger, {Text}));
      break;
    case tkChar:
    case tkWChar:
      if (Text.size() != 1) NotAValue(Text, Type);
      V = Text[0];
      break;
    case tkEnumeration:
      // An unknown identifier names no value of the type: the property keeps its own.
      V = GetEnumValue(Type, Text);
      if (V < 0) NotAValue(Text, Type);
      break;
    default:  // tkSet
      V = StringToSet(Type, Text);
      break;
  }
  Prop.SetOrd(Instance, V);
}
