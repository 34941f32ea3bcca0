#pragma once
// What a converter says after the wake-up bytes.
#include "core/ustring.h"

// The converter mode that the answer announces: the digit one character after the first
// ModeWord (Signature being the banner's fixed text). -1 when the answer is no banner (no
// Signature, or characters 16 to 20 not a positive number) or no digit stands there; the answer
// is text in the ANSI code page.
int ConverterMode(const RawBytes& Answer, const String& Signature, const String& ModeWord);
