// The program body: the application, the main window from its form data, the message loop,
// all shown through the Qt view.
#include <QApplication>
#include <cstdio>

#include "core/exceptions.h"
#include "os/file_version.h"
#include "qtview/qt_display.h"
#include "qtview/qt_font_config.h"
#include "qtview/qt_view.h"
#include "tool/main_window.h"
#include "ui/application.h"

FILE_VERSION_BLOCK(1, 8, 3, 62);

int main(int argc, char** argv) {
  if (!QtDisplayAvailable()) {
    std::fputs(NoDisplayMessage("V8Azezuda").c_str(), stderr);
    return 2;
  }
  // Needs nothing of Qt's, so it runs while the QApplication is made.
  const TFontConfigReading FontConfig;
  QApplication QtApp(argc, argv);
  try {
    TQtView View(Application());
    Application().Initialize();
    Application().SetMainFormOnTaskBar(true);
    // The window is built while converter detection waits for a banner, so it shows sooner.
    Application().SetOnIdle([] { Application().PrepareForms(); });
    // The first form created is the main one: closing it ends the program.
    Application().SetMainForm(CreateMainForm(&Application()));
    Application().Run();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "V8Azezuda: %s\n", E.what());
    return 1;
  }
  return 0;
}
