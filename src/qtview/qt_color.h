#pragma once
// Colours of the model on Qt: plain RGB values, and the system colours (0xFF in the high byte,
// the system colour index below) taken from the application's palette.
#include <QColor>
#include <QPalette>

#include "ui/font.h"

// The palette role that shows a system colour index (15, clBtnFace, is the button face).
QPalette::ColorRole SystemColorRole(int Index);
// Invalid for "no colour" and "default colour" (clNone, clDefault), which leave Qt's own.
QColor ToQColor(TColor Color);
