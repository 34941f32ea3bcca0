#pragma once
// Values, enumerations and event types that the window model's controls, forms and dialogs
// share, with the type information their published properties use.
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "core/event.h"
#include "core/rtti.h"
#include "core/ustring.h"
#include "ui/font.h"

// System colours carry 0xFF in the high byte and the system colour index below it.
inline constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
inline constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clCream = 0xF0FBFF;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
// Right to left: bdRightToLeft reads right to left and mirrors the alignment; the other two
// read right to left only.
enum TBiDiMode : uint8_t {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};

enum TShiftStateFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = uint8_t;  // bit n = flag n
constexpr TShiftState ShiftState(std::initializer_list<TShiftStateFlag> Flags) {
  TShiftState S = 0;
  for (TShiftStateFlag F : Flags) S = static_cast<TShiftState>(S | (1u << F));
  return S;
}

// Virtual key codes the model acts on itself; letters and digits are their ASCII codes.
inline constexpr uint16_t VK_RETURN = 13;
inline constexpr uint16_t VK_ESCAPE = 27;
inline constexpr uint16_t VK_SPACE = 32;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;
inline constexpr TModalResult mrClose = 11;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TKeyEvent = TEvent<TObject*, uint16_t&, TShiftState>;

// What a view subscribes to: the object that changed and the name of the property that changed
// ("Bounds" for position and size, "Controls" / "Items" when children come or go).
using TPropertyChangedEvent = std::function<void(TObject* Sender, const String& PropName)>;

const TTypeInfo& TypeInfoTCloseEvent();
const TTypeInfo& TypeInfoTKeyEvent();
const TTypeInfo& TypeInfoTAlign();
const TTypeInfo& TypeInfoTAlignment();
const TTypeInfo& TypeInfoTTextLayout();
const TTypeInfo& TypeInfoTScrollStyle();
const TTypeInfo& TypeInfoTModalResult();
