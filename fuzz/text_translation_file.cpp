// Feeds arbitrary bytes to the text translation file loaders of a component that a form owns:
// all categories, one category, a merge and the import of one language; then saves what was
// loaded. Errors the loaders report are fine; crashes, hangs and leaks are not.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/safe_file.h"
#include "core/stream.h"
#include "lang/custom_lang.h"

namespace {

class TFuzzForm : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TFuzzForm", &TComponent::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  TFuzzForm() : TComponent(nullptr) { SetName(u"Form1"); }
};

const String ImportFile =
    FromUtf8("/tmp/fuzz_text_translation_file_" + std::to_string(::getpid()) + ".lng");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1) return 0;
  const uint8_t Mode = Data[0];
  const std::string Bytes(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  TFuzzForm Form;
  auto* Lang = new TlcLang(&Form);
  try {
    Lang->SetNumOfLanguages(1 + (Mode & 3));
    Lang->Strings()->Add(u"IDS_1\x01one\x01");
    TMemoryStream In(Bytes);
    switch ((Mode >> 2) & 3) {
      case 0:
        Lang->LoadAllFromStream(In, Mode & 16, false);
        break;
      case 1:
        Lang->LoadFromStream(static_cast<TStringsType>((Mode >> 4) % 12), In, Mode & 64);
        break;
      case 2:
        Lang->MergeAllFromStream(In);
        break;
      default:
        SaveBytesSafely(ImportFile, Bytes);
        Lang->LoadLanguage(ImportFile, Mode & 16 ? u"Language N2" : u"German");
        ::unlink(ToUtf8(ImportFile).c_str());
        break;
    }
    TMemoryStream Out;
    Lang->SaveAllToStream(Out, u"~!@#");
  } catch (const Exception&) {
  }
  return 0;
}
