// Feeds arbitrary bytes to the text translation file loaders of a component that a form owns:
// all categories, one category, a merge and the import of one language; then saves what was
// loaded. Errors the loaders report are fine; crashes, hangs and leaks are not.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

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

// A folder of this process's own for the file a language is imported from, removed at exit. The
// file is written plainly: it is scratch, and a sync for every input would slow fuzzing down.
class TScratchFolder {
 public:
  TScratchFolder() {
    std::string Pattern =
        (std::filesystem::temp_directory_path() / "fuzz_text_translation_file_XXXXXX").string();
    if (!::mkdtemp(Pattern.data())) ::abort();
    FPath = Pattern;
  }
  ~TScratchFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  String File(const char* Name) const { return FromUtf8(FPath + "/" + Name); }

 private:
  std::string FPath;
};

const TScratchFolder Scratch;
const String ImportFile = Scratch.File("import.lng");

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
        In.SaveToFile(ImportFile);
        Lang->LoadLanguage(ImportFile, Mode & 16 ? u"Language N2" : u"German");
        break;
    }
    TMemoryStream Out;
    Lang->SaveAllToStream(Out, u"~!@#");
  } catch (const Exception&) {
  }
  return 0;
}
