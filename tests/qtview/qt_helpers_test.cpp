#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include "qt_test_support.h"
#include "qtview/qt_color.h"
#include "qtview/qt_display.h"
#include "qtview/qt_font.h"
#include "qtview/qt_font_config.h"
#include "qtview/qt_keys.h"

namespace {

TEST(QtHelpers, ColoursAreRgbOrTheSystemsPalette) {
  QtApp();
  EXPECT_EQ(ToQColor(clSkyBlue), QColor(0xA6, 0xCA, 0xF0));
  EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(clBtnFace), QGuiApplication::palette().color(QPalette::Button));
  EXPECT_EQ(ToQColor(clWindow), QGuiApplication::palette().color(QPalette::Base));
  EXPECT_EQ(ToQColor(clWindowText), QGuiApplication::palette().color(QPalette::Text));
  EXPECT_FALSE(ToQColor(0x1FFFFFFF).isValid());
  EXPECT_EQ(SystemColorRole(200), QPalette::Window);
}

TEST(QtHelpers, FontsFallBackToAnInstalledFamilyThatWritesTheCharset) {
  // As the program starts: the font configuration may still be read on another thread.
  const TFontConfigReading Reading;
  QtApp();
  TFont Tahoma;
  Tahoma.SetHeight(-15);
  Tahoma.SetStyle(1u << fsBold);
  Tahoma.SetCharset(204);
  const QFont F = ToQFont(Tahoma);
  EXPECT_EQ(F.pixelSize(), 15);
  EXPECT_TRUE(F.bold());
  const QString Family = QFontInfo(F).family();
  EXPECT_TRUE(QFontDatabase::writingSystems(Family).contains(QFontDatabase::Cyrillic));

  TFont Impact;
  Impact.SetName(u"Impact");
  Impact.SetHeight(-19);
  EXPECT_TRUE(QFontDatabase::hasFamily("Impact") || ToQFont(Impact).bold());
  TFont Courier;
  Courier.SetName(u"Courier New");
  Courier.SetHeight(-12);
  EXPECT_TRUE(QFontInfo(ToQFont(Courier)).fixedPitch());

  // A positive height is the whole cell.
  TFont Cell;
  Cell.SetHeight(20);
  EXPECT_LT(ToQFont(Cell).pixelSize(), 20);
  EXPECT_NEAR(QFontMetrics(ToQFont(Cell)).height(), 20, 2);
}

TEST(QtHelpers, KeysTranslateBothWays) {
  EXPECT_EQ(ToQKeySequence(16460), QKeySequence(Qt::CTRL | Qt::Key_L));
  EXPECT_EQ(ToQKeySequence(scShift | scAlt | 0x71), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_F2));
  EXPECT_EQ(ToQKeySequence(scCtrl | VK_RETURN), QKeySequence(Qt::CTRL | Qt::Key_Return));
  EXPECT_TRUE(ToQKeySequence(0xBA).isEmpty());
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Enter), VK_RETURN);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Escape), VK_ESCAPE);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_7), '7');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_F12), 0x7B);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Shift), 0);
  EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::ShiftModifier), ShiftState({ssCtrl, ssShift}));
}

// Sets a variable for one scope (empty: unset) and puts it back afterwards.
class TEnvVar {
 public:
  TEnvVar(const char* Name, const char* Value) : FName(Name) {
    if (const char* Old = std::getenv(Name)) FOld = Old;
    FHad = std::getenv(Name) != nullptr;
    if (*Value)
      ::setenv(Name, Value, 1);
    else
      ::unsetenv(Name);
  }
  ~TEnvVar() {
    if (FHad)
      ::setenv(FName, FOld.c_str(), 1);
    else
      ::unsetenv(FName);
  }

 private:
  const char* FName;
  std::string FOld;
  bool FHad = false;
};

TEST(QtHelpers, WithoutADisplayTheProgramSaysHowToRunAnyway) {
  {
    TEnvVar Platform("QT_QPA_PLATFORM", ""), X("DISPLAY", ""), Wayland("WAYLAND_DISPLAY", "");
    EXPECT_FALSE(QtDisplayAvailable());
    {
      TEnvVar W("WAYLAND_DISPLAY", "wayland-0");
      EXPECT_TRUE(QtDisplayAvailable());
    }
    TEnvVar Offscreen("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(QtDisplayAvailable());
  }
  const std::string Message = NoDisplayMessage("V8Azezuda");
  EXPECT_NE(Message.find("no display"), std::string::npos);
  EXPECT_NE(Message.find("QT_QPA_PLATFORM=offscreen V8Azezuda"), std::string::npos);
  EXPECT_NE(Message.find("xvfb-run"), std::string::npos);
}

}  // namespace
