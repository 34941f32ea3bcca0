#pragma once
// What the window model asks of the window system it shows on: the extent of a text in a font,
// the clipboard and the beep. Without a toolkit the headless window system answers: it measures
// with fixed widths per kind of character, keeps the clipboard's text and counts the beeps, so
// what a program does with them can be checked.
#include "core/ustring.h"
#include "ui/font.h"

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

class TWindowSystem {
 public:
  virtual ~TWindowSystem() = default;
  // Text on one line. A "&" marks the next character as a key and is not drawn ("&&" draws one
  // "&"), so it is not measured.
  virtual TSize TextExtent(const TFont& Font, const String& Text) = 0;
  // Text broken into lines at line breaks and between words so that each line fits MaxWidth
  // (a word wider than that stands on a line of its own), tabs expanded to every eighth
  // average character, key marks as in TextExtent. The width is that of the widest line; an
  // empty text is one empty line.
  virtual TSize WrappedTextExtent(const TFont& Font, const String& Text, int MaxWidth) = 0;
  // False, with nothing copied, when another program holds the clipboard.
  virtual bool SetClipboardText(const String& Text) = 0;
  virtual void Beep() = 0;
};

TWindowSystem& WindowSystem();
// Not owned; null puts the headless window system back.
void SetWindowSystem(TWindowSystem* System);

class THeadlessWindowSystem : public TWindowSystem {
 public:
  TSize TextExtent(const TFont& Font, const String& Text) override;
  TSize WrappedTextExtent(const TFont& Font, const String& Text, int MaxWidth) override;
  bool SetClipboardText(const String& Text) override;
  void Beep() override { ++Beeps; }

  String ClipboardText;
  bool ClipboardBusy = false;  // as if another program held the clipboard
  int Beeps = 0;
};

THeadlessWindowSystem& HeadlessWindowSystem();
