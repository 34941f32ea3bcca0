#pragma once
// Keys between Qt and the model: the model's short cuts (virtual key plus scShift / scCtrl /
// scAlt) as key sequences, and Qt's key presses as virtual keys with a shift state.
#include <QKeySequence>
#include <cstdint>

#include "ui/control_types.h"
#include "ui/menus.h"

// Empty for a short cut whose key Qt has no name for.
QKeySequence ToQKeySequence(TShortCut ShortCut);
// 0 for a key the model has no code for.
uint16_t VirtualKeyOf(int QtKey);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers);
