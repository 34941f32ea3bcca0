#include "ui/font.h"

#include <cmath>

#include "core/rtti.h"
#include "ui/published_names.h"

const TTypeInfo& TypeInfoTFontStyles() {
  static const TTypeInfo Element =
      EnumTypeInfo(u"TFontStyle", {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"});
  static const TTypeInfo T = SetTypeInfo(u"TFontStyles", Element);
  return T;
}

const TTypeInfo& TypeInfoTFontCharset() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"TFontCharset", 0, 255);
  return T;
}

const TTypeInfo& TypeInfoTColor() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"TColor", INT32_MIN, INT32_MAX);
  return T;
}

const TClassType& TFont::StaticClassType() {
  static const TClassType T(u"TFont", &TPersistent::StaticClassType(), [](TClassType& C) {
    TPropsOf<TFont>(C)
        .Ord(u"Charset", TypeInfoTFontCharset(), &TFont::Charset, &TFont::SetCharset)
        .Ord(Published::Color, TypeInfoTColor(), &TFont::Color, &TFont::SetColor)
        .Ord(u"Height", TypeInfoInteger(), &TFont::Height, &TFont::SetHeight)
        .Str(u"Name", &TFont::Name, &TFont::SetName)
        .Ord(u"Size", TypeInfoInteger(), &TFont::Size, &TFont::SetSize, std::nullopt,
             &TFont::NeverStored)
        .Ord(Published::Style, TypeInfoTFontStyles(), &TFont::Style, &TFont::SetStyle);
    C.Create = [](TObject*) -> TObject* { return new TFont; };
  });
  return T;
}

void TFont::Changed() {
  OnChange(this);
}

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::Size() const {
  return -static_cast<int>(std::lround(FHeight * 72.0 / ScreenPixelsPerInch));
}

void TFont::SetSize(int Value) {
  SetHeight(-static_cast<int>(std::lround(Value * static_cast<double>(ScreenPixelsPerInch) / 72)));
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::Assign(const TPersistent& Source) {
  const auto* F = dynamic_cast<const TFont*>(&Source);
  if (!F) {
    TPersistent::Assign(Source);
    return;
  }
  FName = F->FName;
  FHeight = F->FHeight;
  FStyle = F->FStyle;
  FCharset = F->FCharset;
  FColor = F->FColor;
  Changed();
}
