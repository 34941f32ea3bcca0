#pragma once
// The model's UTF-16 text and Qt's share one encoding, so conversions copy code units as they
// are.
#include <QString>

#include "core/ustring.h"

inline QString ToQString(const String& S) {
  return QString::fromStdU16String(S);
}

inline String FromQString(const QString& S) {
  return S.toStdU16String();
}
