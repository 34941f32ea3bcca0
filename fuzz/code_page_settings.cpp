// Feeds arbitrary locale names and ANSI_CODE_PAGE values to the code page settings; whatever
// they name must be a code page that converts, which the input's own bytes then do both ways.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/code_page.h"

namespace {

void RoundTrip(std::string_view Bytes, unsigned CodePage) {
  if (!IsKnownCodePage(CodePage)) std::abort();
  const String Text = CodePageToString(Bytes, CodePage);
  StringToCodePage(Text, CodePage);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  RoundTrip(Text, CodePageOfLocale(Text));
  if (const unsigned CodePage = AnsiCodePageSetting(Text)) RoundTrip(Text, CodePage);
  return 0;
}
