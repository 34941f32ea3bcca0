#pragma once
// Types and unit tables shared by the translation component and its helpers.
#include <array>
#include <cstdint>

#include "core/event.h"
#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/ustring.h"
#include "ui/control_types.h"
#include "ui/screen.h"

class TStrings;
class TlcCustomLang;

class ELanguageError : public Exception {
 public:
  using Exception::Exception;
};

// The translation categories, in stream and file order.
enum TStringsType : uint8_t {
  stCaptions,
  stHints,
  stDisplayLabels,
  stFonts,
  stMultiLines,
  stDlgsCaptions,
  stStrings,
  stOtherStrings,
  stLocales,
  stCollections,
  stCharSets,
  stListView_TreeView_Items
};
inline constexpr int StringsTypeCount = 12;
const TTypeInfo& TypeInfoTStringsType();

enum TTranslateType : uint8_t { ttNoChange, ttGetDefault };
const TTypeInfo& TypeInfoTTranslateType();

enum TlcLangOption : uint8_t { loUseExtUDStrings, loUseExtCommonStrings };
using TlcLangOptions = uint8_t;  // bit n = option n
inline constexpr bool HasOption(TlcLangOptions S, TlcLangOption O) {
  return (S >> O) & 1u;
}
const TTypeInfo& TypeInfoTlcLangOptions();

const TTypeInfo& TypeInfoTCursor();

using TLanguageChangingEvent = TEvent<TObject*, int, bool&>;
using TDFMDataChangedEvent = TEvent<TObject*>;
const TTypeInfo& TypeInfoTLanguageChangingEvent();

using pStrings = TStrings*;

// Published-property kind filters of the library.
inline constexpr TTypeKinds AllButEventKinds{0x3FFEFE};
inline constexpr TTypeKinds StringKinds{0x40C20};
inline constexpr TTypeKinds ClassKinds{0x80};

extern const std::array<String, StringsTypeCount> CategoryPropertyNames;
extern const std::array<String, StringsTypeCount> CategorySectionNames;
extern const std::array<String, 15> LocaleItemNames;  // index 0 is item 1
extern const std::array<String, 86> DlgCaptionTexts;  // index 0 is text 1
// The class library's own message-dialog texts: titles, then buttons.
const std::array<String, 15>& StdDlgCaptions();

// The library's two comparisons: ASCII a..z folded (names, keys), and code units as they are
// (texts). Of two texts where one begins with the other, the shorter is the lesser.
int lcCompareText(std::u16string_view A, std::u16string_view B);
int lcCompareStr(std::u16string_view A, std::u16string_view B);

inline const String SRangeMessage =
    u"%d - is not a valid property value!\rValue must be within [1..%d]!";
inline const String SOwnerRangeMessage =
    u"%s: %d - is not a valid property value!\rValue must be within [1..%d]!";
