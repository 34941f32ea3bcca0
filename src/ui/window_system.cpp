#include "ui/window_system.h"

#include <algorithm>
#include <vector>

namespace {

TWindowSystem* GSystem = nullptr;

// The character cell of a font in pixels: a negative height is the character height itself.
int PixelSize(const TFont& Font) {
  const int H = Font.Height() < 0 ? -Font.Height() : Font.Height() * 4 / 5;
  return std::max(H, 1);
}

// Widths in tenths of the cell: narrow letters and punctuation, wide letters, capitals and
// digits, everything else.
int CharWidth(int Size, char16_t C) {
  static const String Narrow = u" !'(),-./:;I[]`fijlrt|";
  static const String Wide = u"MWmw@%";
  int Tenths = 5;
  if (Narrow.find(C) != String::npos)
    Tenths = 3;
  else if (Wide.find(C) != String::npos)
    Tenths = 9;
  else if ((C >= u'0' && C <= u'9') || IsCharUpperW(C))
    Tenths = 6;
  return (Size * Tenths + 5) / 10;
}

int LineHeight(int Size) {
  return (Size * 6 + 4) / 5;
}

// The text as drawn: key marks taken out.
String Drawn(const String& Text) {
  String R;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == u'&' && ++I == Text.size()) break;
    R += Text[I];
  }
  return R;
}

int Width(int Size, const String& Text) {
  const int TabStop = 8 * CharWidth(Size, u'x');
  int W = 0;
  for (char16_t C : Text) W = C == u'\t' ? (W / TabStop + 1) * TabStop : W + CharWidth(Size, C);
  return W;
}

std::vector<String> Paragraphs(const String& Text) {
  std::vector<String> R(1);
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == CR || Text[I] == LF) {
      if (Text[I] == CR && I + 1 < Text.size() && Text[I + 1] == LF) ++I;
      R.emplace_back();
    } else {
      R.back() += Text[I];
    }
  }
  return R;
}

}  // namespace

TWindowSystem& WindowSystem() {
  return GSystem ? *GSystem : HeadlessWindowSystem();
}

void SetWindowSystem(TWindowSystem* System) {
  GSystem = System;
}

THeadlessWindowSystem& HeadlessWindowSystem() {
  static THeadlessWindowSystem S;
  return S;
}

TSize THeadlessWindowSystem::TextExtent(const TFont& Font, const String& Text) {
  const int Size = PixelSize(Font);
  return {Width(Size, Drawn(Text)), LineHeight(Size)};
}

TSize THeadlessWindowSystem::WrappedTextExtent(const TFont& Font, const String& Text,
                                               int MaxWidth) {
  const int Size = PixelSize(Font);
  int Lines = 0, Widest = 0;
  for (const String& P : Paragraphs(Drawn(Text))) {
    String Line;
    size_t I = 0;
    do {
      // The next word with the blanks before it.
      size_t J = I;
      while (J < P.size() && P[J] == u' ') ++J;
      while (J < P.size() && P[J] != u' ') ++J;
      const String Word = P.substr(I, J - I);
      if (!Line.empty() && Width(Size, Line + Word) > MaxWidth) {
        Widest = std::max(Widest, Width(Size, Line));
        ++Lines;
        const size_t First = Word.find_first_not_of(u' ');
        Line = First == String::npos ? String() : Word.substr(First);
      } else {
        Line += Word;
      }
      I = J;
    } while (I < P.size());
    Widest = std::max(Widest, Width(Size, Line));
    ++Lines;
  }
  return {Widest, Lines * LineHeight(Size)};
}

bool THeadlessWindowSystem::SetClipboardText(const String& Text) {
  if (ClipboardBusy) return false;
  ClipboardText = Text;
  return true;
}
