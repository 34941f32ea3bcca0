#include "qtview/qt_keys.h"

namespace {

struct TKeyPair {
  uint16_t Vk;
  int Qt;
};

// The keys whose codes do not follow from the letters, digits and function keys.
constexpr TKeyPair Named[] = {
    {8, Qt::Key_Backspace}, {9, Qt::Key_Tab},     {13, Qt::Key_Return},   {13, Qt::Key_Enter},
    {27, Qt::Key_Escape},   {32, Qt::Key_Space},  {0x21, Qt::Key_PageUp}, {0x22, Qt::Key_PageDown},
    {0x23, Qt::Key_End},    {0x24, Qt::Key_Home}, {0x25, Qt::Key_Left},   {0x26, Qt::Key_Up},
    {0x27, Qt::Key_Right},  {0x28, Qt::Key_Down}, {0x2D, Qt::Key_Insert}, {0x2E, Qt::Key_Delete},
};

constexpr uint16_t VK_F1 = 0x70;
constexpr int FunctionKeys = 24;

int QtKeyOf(uint16_t Vk) {
  if ((Vk >= '0' && Vk <= '9') || (Vk >= 'A' && Vk <= 'Z')) return Vk;
  if (Vk >= VK_F1 && Vk < VK_F1 + FunctionKeys) return Qt::Key_F1 + (Vk - VK_F1);
  for (const TKeyPair& P : Named)
    if (P.Vk == Vk) return P.Qt;
  return 0;
}

}  // namespace

QKeySequence ToQKeySequence(TShortCut ShortCut) {
  uint16_t Vk;
  TShiftState Shift;
  ShortCutToKey(ShortCut, Vk, Shift);
  const int Key = QtKeyOf(Vk);
  if (Key == 0) return {};
  Qt::KeyboardModifiers Mods;
  if (Shift & ShiftState({ssShift})) Mods |= Qt::ShiftModifier;
  if (Shift & ShiftState({ssCtrl})) Mods |= Qt::ControlModifier;
  if (Shift & ShiftState({ssAlt})) Mods |= Qt::AltModifier;
  return QKeySequence(QKeyCombination(Mods, static_cast<Qt::Key>(Key)));
}

uint16_t VirtualKeyOf(int QtKey) {
  if ((QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) || (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z))
    return static_cast<uint16_t>(QtKey);
  if (QtKey >= Qt::Key_F1 && QtKey < Qt::Key_F1 + FunctionKeys)
    return static_cast<uint16_t>(VK_F1 + (QtKey - Qt::Key_F1));
  for (const TKeyPair& P : Named)
    if (P.Qt == QtKey) return P.Vk;
  return 0;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers) {
  TShiftState S = 0;
  if (Modifiers & Qt::ShiftModifier) S |= ShiftState({ssShift});
  if (Modifiers & Qt::ControlModifier) S |= ShiftState({ssCtrl});
  if (Modifiers & Qt::AltModifier) S |= ShiftState({ssAlt});
  return S;
}
