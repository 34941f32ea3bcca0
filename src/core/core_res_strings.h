#pragma once
// The class library's core texts, kept as resource strings of the core module.
#include "core/res_strings.h"

extern const TResModule CoreResources;

inline constexpr TResStringRec SListIndexError{&CoreResources, 65280};
inline constexpr TResStringRec SReadError{&CoreResources, 65281};
inline constexpr TResStringRec SWriteError{&CoreResources, 65282};
inline constexpr TResStringRec SInvalidInteger{&CoreResources, 65283};
inline constexpr TResStringRec SAssignError{&CoreResources, 65284};
inline constexpr TResStringRec SCodePageNotSupported{&CoreResources, 65285};
inline constexpr TResStringRec SFCreateErrorEx{&CoreResources, 65286};
inline constexpr TResStringRec SFOpenErrorEx{&CoreResources, 65287};
inline constexpr TResStringRec SSortedListError{&CoreResources, 65288};
inline constexpr TResStringRec SDuplicateString{&CoreResources, 65289};
inline constexpr TResStringRec SInvalidFormat{&CoreResources, 65290};
