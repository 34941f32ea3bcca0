#pragma once
// A control's font: name, height in pixels (negative: character height), size in points,
// style and charset. Changing any of them fires OnChange.
#include <cstdint>

#include "core/event.h"
#include "core/object.h"
#include "core/rtti.h"
#include "core/ustring.h"

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t;  // bit n = style n
using TFontCharset = uint8_t;
using TColor = int32_t;

inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
inline constexpr int ScreenPixelsPerInch = 96;

const TTypeInfo& TypeInfoTFontStyles();
const TTypeInfo& TypeInfoTFontCharset();
const TTypeInfo& TypeInfoTColor();

class TFont : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // Points from the height at the screen's 96 pixels per inch.
  int Size() const;
  void SetSize(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();
  bool NeverStored() const { return false; }  // Size travels as Height

  String FName = u"Tahoma";
  int FHeight = -11;
  TFontStyles FStyle = 0;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
};
