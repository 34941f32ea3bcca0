#pragma once
// The window system as Qt gives it: texts measured in the font Qt shows them with, the desktop's
// clipboard and Qt's beep.
#include "ui/window_system.h"

class TQtWindowSystem : public TWindowSystem {
 public:
  TSize TextExtent(const TFont& Font, const String& Text) override;
  TSize WrappedTextExtent(const TFont& Font, const String& Text, int MaxWidth) override;
  bool SetClipboardText(const String& Text) override;
  void Beep() override;
};
