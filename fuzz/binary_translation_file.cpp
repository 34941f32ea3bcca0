// Feeds arbitrary bytes to the binary translation file readers: the record of one form read into
// a component that a form owns, and every record read into a manager, which then writes them
// out again. Errors the readers report are fine; crashes, hangs and leaks are not.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/files/binary_translation_file.h"

namespace {

class TFuzzForm : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TFuzzForm", &TComponent::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  TFuzzForm() : TComponent(nullptr) {}
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterLangClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  TFuzzForm Form;
  auto* Lang = new TlcLang(&Form);
  try {
    TMemoryStream In(Bytes);
    Lang->LoadAllFromBinaryStream(In);
  } catch (const Exception&) {
  }
  try {
    TMemoryStream In(Bytes);
    TLCBFileManager Manager;
    Manager.ReadAllRecords(In);
    TMemoryStream Out;
    Manager.SaveToStream(Out);
  } catch (const Exception&) {
  }
  return 0;
}
