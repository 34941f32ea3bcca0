#include "lang/switch/test_mode.h"

#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/table/translation_line.h"
#include "ui/font.h"
#include "ui/window_system.h"

String FlipCase(const String& Text) {
  String R;
  R.reserve(Text.size());
  for (char16_t C : Text) R += IsCharUpperW(C) ? CharLower(C) : CharUpper(C);
  return R;
}

String ExpandChars(const String& Text, char16_t PadChar, double Percent) {
  if (Text.find(u'%') != String::npos) return Text;
  const int64_t Len = static_cast<int64_t>(Text.size());
  int64_t N = static_cast<int64_t>(static_cast<double>(Len) * Percent / 100);
  String R;
  for (int64_t I = 0; I < Len; ++I) {
    const int64_t K = N / (Len - I);  // each character's share of what is left
    R += Text[static_cast<size_t>(I)];
    if (K > 0) R.append(static_cast<size_t>(K), PadChar);
    N -= K;
  }
  return R;
}

String ExpandWidth(const String& Text, char16_t PadChar, int Percent,
                   const std::function<int(const String&)>& Width) {
  String R = Text;
  for (char16_t& C : R) C = AsciiUpperChar(C);
  const int64_t W0 = Width(Text);
  // In 64 bits: a large percentage asks for much padding, never for none.
  const int64_t Target = W0 + W0 * Percent / 100;
  if (R.empty()) return R;
  size_t Pos = R.size();
  // Far more fill than any control shows would only make a huge percentage hang the form.
  const size_t MaxLength = R.size() + 4096;
  for (int64_t W = Width(R); W < Target && R.size() < MaxLength;) {
    R.insert(Pos - 1, 1, PadChar);
    Pos = Pos > 3 ? Pos - 2 : R.size() - 1;
    // A fill character that adds no width would never reach the target.
    const int64_t Wider = Width(R);
    if (Wider <= W) break;
    W = Wider;
  }
  return R;
}

String TestModeTransform(const TlcCustomLang& Lang, const String& Text) {
  const TlcLangDispatcher* D = Lang.LangDispatcher();
  if (!D) return Text;
  const TTestModeInfo& Info = *D->TestModeInfo();
  switch (Info.Kind()) {
    case tmkFlipCase:
      return FlipCase(Text);
    case tmkExpandChars:
      return ExpandChars(Text, Info.PaddingChar(), Info.ExpandCharsPercent());
    case tmkExpandWidth:
      break;
  }
  TFont Measuring;
  Measuring.SetName(u"Tahoma");
  Measuring.SetSize(8);
  // Measured as drawn on a canvas: an ampersand is a character like any other.
  return ExpandWidth(Text, Info.PaddingChar(), Info.ExpandWidthPercent(), [&](const String& S) {
    return WindowSystem().TextExtent(Measuring, ReplaceText(S, u"&", u"&&")).cx;
  });
}

bool TlcCustomLang::TestModeOn() const {
  return FLangDispatcher && FLangDispatcher->TestModeInfo()->Active() && FActLang > 1;
}

String TlcCustomLang::GetTestModeText(std::u16string_view Line, char16_t Delim) const {
  const String Text = GetFieldW(Line, Delim, 1);
  return Text.empty() ? Text : TestModeTransform(*this, Text);
}
