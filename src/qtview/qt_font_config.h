#pragma once
// fontconfig reads its whole configuration the first time anything asks it about fonts, which
// takes longer than the rest of a window's start-up font work together. A program starts that
// reading on a thread of its own before it makes its QApplication; the first font question then
// waits for it to end instead of reading the configuration a second time.
class TFontConfigReading {
 public:
  TFontConfigReading();
  // Waits for the reading to end.
  ~TFontConfigReading();
  TFontConfigReading(const TFontConfigReading&) = delete;
  TFontConfigReading& operator=(const TFontConfigReading&) = delete;
};

// Returns once the reading that a TFontConfigReading started, if any, has ended.
void AwaitFontConfig();
