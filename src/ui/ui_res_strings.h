#pragma once
// The window model's texts, kept as resource strings of the ui module: the message dialogs'
// titles and button captions, and the model's error messages.
#include "core/res_strings.h"

extern const TResModule UiResources;

inline constexpr TResStringRec SMsgDlgWarning{&UiResources, 65200};
inline constexpr TResStringRec SMsgDlgError{&UiResources, 65201};
inline constexpr TResStringRec SMsgDlgInformation{&UiResources, 65202};
inline constexpr TResStringRec SMsgDlgConfirm{&UiResources, 65203};
inline constexpr TResStringRec SMsgDlgYes{&UiResources, 65204};
inline constexpr TResStringRec SMsgDlgNo{&UiResources, 65205};
inline constexpr TResStringRec SMsgDlgOK{&UiResources, 65206};
inline constexpr TResStringRec SMsgDlgCancel{&UiResources, 65207};
inline constexpr TResStringRec SMsgDlgAbort{&UiResources, 65208};
inline constexpr TResStringRec SMsgDlgRetry{&UiResources, 65209};
inline constexpr TResStringRec SMsgDlgIgnore{&UiResources, 65210};
inline constexpr TResStringRec SMsgDlgAll{&UiResources, 65211};
inline constexpr TResStringRec SMsgDlgNoToAll{&UiResources, 65212};
inline constexpr TResStringRec SMsgDlgYesToAll{&UiResources, 65213};
inline constexpr TResStringRec SMsgDlgHelp{&UiResources, 65214};

inline constexpr TResStringRec SCannotFocus{&UiResources, 65220};
inline constexpr TResStringRec SVisibleModal{&UiResources, 65221};
inline constexpr TResStringRec SMenuInserted{&UiResources, 65222};
inline constexpr TResStringRec SMenuItemInItself{&UiResources, 65223};
inline constexpr TResStringRec SControlParentSelf{&UiResources, 65224};
inline constexpr TResStringRec SNoHelpViewer{&UiResources, 65225};
