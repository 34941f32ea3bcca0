// Feeds arbitrary bytes to the "TranslationData" reader of a component owned by a form, in each
// of the reader's modes (UTF-8 storage, inherited merge), then writes the result back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/exceptions.h"
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
  TFuzzForm() : TComponent(nullptr) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1) return 0;
  const uint8_t Mode = Data[0];
  TFuzzForm Form;
  auto* Lang = new TlcLang(&Form);
  try {
    Lang->SetNumOfLanguages(1 + (Mode & 3));
    Lang->SetStoreAsUTF8(Mode & 4);
    Lang->SetIsInheritedOwner(Mode & 8);
    TMemoryStream In(std::string(reinterpret_cast<const char*>(Data) + 1, Size - 1));
    Lang->ReadTranslationData(In);
    TMemoryStream Out;
    Lang->WriteTranslationData(Out);
    for (int I = 0; I < Lang->Strings()->Count(); ++I)
      Lang->EncodeAnsiColumns(Lang->Strings()->Get(I));
  } catch (const Exception&) {
  }
  return 0;
}
