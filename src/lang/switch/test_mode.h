#pragma once
// Test mode: where a language above 1 has no text, the language-1 text is shown through a
// visible transform (stretched with fill characters, its case flipped, or fill characters
// spread through it), so untranslated texts stand out on a running form.
#include <functional>

#include "core/ustring.h"

class TlcCustomLang;

// Text through the transform of the test-mode settings of Lang's dispatcher; Text unchanged
// when Lang has none.
String TestModeTransform(const TlcCustomLang& Lang, const String& Text);
// Each letter in the other case; characters without case stay.
String FlipCase(const String& Text);
// Length(Text) * Percent / 100 copies of PadChar spread over the text from the front, the
// remainder toward the end; a text holding "%" (a format) stays as it is.
String ExpandChars(const String& Text, char16_t PadChar, double Percent);
// Upper-cased (ASCII letters) and padded with PadChar, before the last character and then at
// every second place toward the front, until it is Percent wider than Text as Width measures
// texts in pixels.
String ExpandWidth(const String& Text, char16_t PadChar, int Percent,
                   const std::function<int(const String&)>& Width);
