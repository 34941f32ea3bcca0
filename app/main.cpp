// The program body: the application, the main window from its form data, the message loop.
#include <cstdio>

#include "core/exceptions.h"
#include "os/file_version.h"
#include "tool/main_window.h"
#include "ui/application.h"

FILE_VERSION_BLOCK(1, 8, 3, 62);

int main() {
  try {
    Application().Initialize();
    Application().SetMainFormOnTaskBar(true);
    CreateMainForm(&Application());
    Application().Run();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "V8Azezuda: %s\n", E.what());
    return 1;
  }
  return 0;
}
