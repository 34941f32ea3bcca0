#include "qtview/qt_color.h"

#include <QGuiApplication>
#include <array>
#include <cstdint>

QPalette::ColorRole SystemColorRole(int Index) {
  using R = QPalette::ColorRole;
  static constexpr std::array<R, 31> Roles = {
      R::Button,           // scroll bar
      R::Window,           // desktop
      R::Highlight,        // active caption
      R::Mid,              // inactive caption
      R::Window,           // menu
      R::Base,             // window
      R::Shadow,           // window frame
      R::WindowText,       // menu text
      R::Text,             // window text
      R::HighlightedText,  // caption text
      R::Window,           // active border
      R::Window,           // inactive border
      R::Mid,              // application work space
      R::Highlight,        // highlight
      R::HighlightedText,  // highlighted text
      R::Button,           // button face
      R::Dark,             // button shadow
      R::PlaceholderText,  // grey text
      R::ButtonText,       // button text
      R::WindowText,       // inactive caption text
      R::Light,            // button highlight
      R::Shadow,           // 3-D dark shadow
      R::Midlight,         // 3-D light
      R::ToolTipText,      // info text
      R::ToolTipBase,      // info background
      R::Window,           // (unused index)
      R::Link,             // hot light
      R::Highlight,        // gradient active caption
      R::Mid,              // gradient inactive caption
      R::Highlight,        // menu highlight
      R::Window,           // menu bar
  };
  return Index >= 0 && Index < static_cast<int>(Roles.size()) ? Roles[static_cast<size_t>(Index)]
                                                              : R::Window;
}

QColor ToQColor(TColor Color) {
  const auto Bits = static_cast<uint32_t>(Color);
  constexpr uint32_t clNone = 0x1FFFFFFF, clDefault = 0x20000000;
  if (Bits == clNone || Bits == clDefault) return {};
  if ((Bits & 0xFF000000u) == 0xFF000000u)
    return QGuiApplication::palette().color(SystemColorRole(static_cast<int>(Bits & 0xFFu)));
  return QColor(static_cast<int>(Bits & 0xFFu), static_cast<int>((Bits >> 8) & 0xFFu),
                static_cast<int>((Bits >> 16) & 0xFFu));
}
