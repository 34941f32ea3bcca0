#pragma once
// The test-mode settings that a language dispatcher holds for its linked components: while
// Active, a text that a language above 1 lacks is shown as a visibly changed copy of the
// language-1 text, so untranslated places stand out on a running form.
#include <cstdint>

#include "core/object.h"
#include "core/rtti.h"

enum TTestModeKind : uint8_t { tmkExpandWidth, tmkFlipCase, tmkExpandChars };
const TTypeInfo& TypeInfoTTestModeKind();

class TTestModeInfo : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TTestModeKind Kind() const { return FKind; }
  void SetKind(TTestModeKind Value) { FKind = Value; }
  int ExpandWidthPercent() const { return FExpandWidthPercent; }
  void SetExpandWidthPercent(int Value) { FExpandWidthPercent = Value; }
  int ExpandCharsPercent() const { return FExpandCharsPercent; }
  void SetExpandCharsPercent(int Value) { FExpandCharsPercent = Value; }
  char16_t PaddingChar() const { return FPaddingChar; }
  void SetPaddingChar(char16_t Value) { FPaddingChar = Value; }

 private:
  bool FActive = false;
  char16_t FPaddingChar = u'*';
  int32_t FExpandCharsPercent = 100;
  int32_t FExpandWidthPercent = 100;
  TTestModeKind FKind = tmkExpandWidth;
};
