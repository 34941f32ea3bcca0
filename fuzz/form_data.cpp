// Feeds arbitrary form data to the real classes a program registers (the window model's
// controls and the translation component), writes what it accepts and reads that back: the
// reader must take every image the writer makes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "component/reader.h"
#include "component/writer.h"
#include "form_input.h"
#include "lang/custom_lang.h"
#include "ui/application.h"
#include "ui/headless_dialogs.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Application().Initialize();
  RegisterLangClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::string Written;
  try {
    TMemoryStream In(FormImageOf(Data, Size));
    TComponentPtr<TComponent> Root = ReadComponentOwned(In);
    TMemoryStream Out;
    WriteComponent(Out, *Root);
    Written = Out.Bytes();
  } catch (const Exception&) {
    return 0;
  }
  try {
    TMemoryStream Again(Written);
    ReadComponentOwned(Again);
  } catch (const Exception&) {
    std::abort();
  }
  HeadlessDialogs().Clear();
  return 0;
}
