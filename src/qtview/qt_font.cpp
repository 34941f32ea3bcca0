#include "qtview/qt_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>
#include <map>
#include <utility>

#include "qtview/qt_font_config.h"
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

// Whether Family is installed. The list of installed families is read once: asking the database
// family by family has fontconfig work out each name's substitutes, which costs more at start-up
// than every other font question together.
bool Installed(const QString& Family) {
  static const QStringList Families = QFontDatabase::families();
  return Families.contains(Family, Qt::CaseInsensitive);
}

bool Writes(const QString& Family, QFontDatabase::WritingSystem Script) {
  if (!Installed(Family)) return false;
  return Script == QFontDatabase::Any || QFontDatabase::writingSystems(Family).contains(Script);
}

const TStandIn* StandInFor(const QString& Name) {
  for (const TStandIn& S : StandIns)
    if (Name.compare(QLatin1String(S.Name), Qt::CaseInsensitive) == 0) return &S;
  return nullptr;
}

// The families a face name stands for in a script, and how they are drawn. The font database
// answers each question once: a window asks the same few for every control it shows, and the
// installed fonts do not change while the program runs.
struct TResolved {
  QStringList Families;
  bool Heavy = false;
  bool Hinted = false;
  QFont::StyleHint Hint = QFont::AnyStyle;
};

const TResolved& Resolve(const QString& Name, QFontDatabase::WritingSystem Script) {
  static std::map<std::pair<QString, int>, TResolved> Known;
  const auto Key = std::make_pair(Name, static_cast<int>(Script));
  if (const auto It = Known.find(Key); It != Known.end()) return It->second;
  TResolved R;
  R.Families = QStringList{Name};
  const TStandIn* StandIn = StandInFor(Name);
  if (StandIn && !Writes(Name, Script)) {
    for (const char* Family : StandIn->Families)
      if (Writes(QLatin1String(Family), Script)) {
        R.Families = QStringList{QLatin1String(Family)};
        R.Heavy = StandIn->Heavy;
        break;
      }
    R.Hinted = true;
    R.Hint = StandIn->Hint;
  }
  return Known.emplace(Key, std::move(R)).first->second;
}

}  // namespace

QFont ToQFont(const TFont& Font) {
  AwaitFontConfig();
  QFont F;
  const TResolved& R = Resolve(ToQString(Font.Name()), ScriptOf(Font.Charset()));
  if (R.Hinted) F.setStyleHint(R.Hint);
  F.setFamilies(R.Families);
  const TFontStyles Style = Font.Style();
  F.setBold(R.Heavy || (Style & (1u << fsBold)));
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
