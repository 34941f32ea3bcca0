#include "qtview/qt_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

#include "qtview/qt_text.h"

namespace {

struct TStandIn {
  const char* Name;
  // Installed families to try, nearest first.
  const char* Families[4];
  QFont::StyleHint Hint;
  bool Heavy;
};

const TStandIn StandIns[] = {
    {"Tahoma",
     {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans", "Liberation Sans"},
     QFont::SansSerif,
     false},
    {"Impact",
     {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans", "Liberation Sans"},
     QFont::SansSerif,
     true},
    {"Courier New",
     {"Liberation Mono", "DejaVu Sans Mono", "FreeMono", "Nimbus Mono PS"},
     QFont::TypeWriter,
     false},
};

// The script a charset writes, for the charsets a form can name.
QFontDatabase::WritingSystem ScriptOf(TFontCharset Charset) {
  switch (Charset) {
    case 128:
      return QFontDatabase::Japanese;
    case 129:
      return QFontDatabase::Korean;
    case 134:
      return QFontDatabase::SimplifiedChinese;
    case 136:
      return QFontDatabase::TraditionalChinese;
    case 161:
      return QFontDatabase::Greek;
    case 163:
      return QFontDatabase::Vietnamese;
    case 177:
      return QFontDatabase::Hebrew;
    case 178:
      return QFontDatabase::Arabic;
    case 204:
      return QFontDatabase::Cyrillic;
    case 222:
      return QFontDatabase::Thai;
    default:
      return QFontDatabase::Any;
  }
}

bool Writes(const QString& Family, QFontDatabase::WritingSystem Script) {
  if (!QFontDatabase::hasFamily(Family)) return false;
  return Script == QFontDatabase::Any || QFontDatabase::writingSystems(Family).contains(Script);
}

const TStandIn* StandInFor(const QString& Name) {
  for (const TStandIn& S : StandIns)
    if (Name.compare(QLatin1String(S.Name), Qt::CaseInsensitive) == 0) return &S;
  return nullptr;
}

}  // namespace

QFont ToQFont(const TFont& Font) {
  QFont F;
  const QString Name = ToQString(Font.Name());
  const QFontDatabase::WritingSystem Script = ScriptOf(Font.Charset());
  const TStandIn* StandIn = StandInFor(Name);
  QStringList Families{Name};
  bool Heavy = false;
  if (!Writes(Name, Script) && StandIn) {
    for (const char* Family : StandIn->Families)
      if (Writes(QLatin1String(Family), Script)) {
        Families = QStringList{QLatin1String(Family)};
        Heavy = StandIn->Heavy;
        break;
      }
    F.setStyleHint(StandIn->Hint);
  }
  F.setFamilies(Families);
  const TFontStyles Style = Font.Style();
  F.setBold(Heavy || (Style & (1u << fsBold)));
  F.setItalic(Style & (1u << fsItalic));
  F.setUnderline(Style & (1u << fsUnderline));
  F.setStrikeOut(Style & (1u << fsStrikeOut));
  // A negative height is the character height, Qt's pixel size; a positive one is the whole
  // cell, leading included, so the pixel size is scaled down to fit it.
  if (Font.Height() < 0) {
    F.setPixelSize(-Font.Height());
  } else if (Font.Height() > 0) {
    F.setPixelSize(Font.Height());
    const double Cell = QFontMetricsF(F).height();
    if (Cell > 0)
      F.setPixelSize(
          std::max(1, static_cast<int>(std::lround(Font.Height() * Font.Height() / Cell))));
  }
  return F;
}
