// Feeds the form-data embedding tool a form's text and a translation table, split at the first
// zero byte, with the table going to the component "slng1" as the build does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/exceptions.h"
#include "form_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  const size_t Split = Input.find('\0');
  const std::string Form(Input.substr(0, Split));
  const std::string_view Table =
      Split == std::string_view::npos ? std::string_view() : Input.substr(Split + 1);
  try {
    FormImage(Form, "slng1", Table);
  } catch (const Exception&) {
  }
  return 0;
}
