#include "tool/converter_banner.h"

#include "core/code_page.h"

int ConverterMode(const RawBytes& Answer, const String& Signature, const String& ModeWord) {
  String Banner = AnsiToString(Answer);
  if (Pos(Signature, Banner) == 0) return -1;
  if (StrToIntDef(Copy(Banner, 16, 5), -1) < 1) return -1;
  Delete(Banner, 1, Pos(ModeWord, Banner) + 4);
  if (!Banner.empty() && Banner[0] >= u'0' && Banner[0] <= u'9') return Banner[0] - u'0';
  return -1;
}
