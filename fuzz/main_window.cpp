// Feeds arbitrary form data to the main window's own class, as an edited form file would reach
// it: loading either makes a window whose handlers find every component, or fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "component/reader.h"
#include "form_input.h"
#include "tool/main_window.h"
#include "ui/application.h"
#include "ui/headless_dialogs.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // OnCreate may rescan the ports: only the named ones, and none are named.
  setenv("V8_SERIAL_ENUM", "0", 1);
  unsetenv("V8_SERIAL_PORTS");
  Application().Initialize();
  RegisterLangClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TMemoryStream In(FormImageOf(Data, Size));
    TComponentPtr<TfmMain> Window(new TfmMain(nullptr));
    ReadComponent(In, Window.get());
  } catch (const Exception&) {
  }
  HeadlessDialogs().Clear();
  return 0;
}
