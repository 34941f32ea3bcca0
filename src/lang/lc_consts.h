#pragma once
// The library's component class names and the names of its look-up calls as they appear in
// source text (for tools that scan programs for message keys).
#include <array>

#include "core/ustring.h"

inline const std::array<String, 5> LcComponentClassNames = {
    u"TlcLang", u"TlcLangDispatcher", u"TlcFormStorage", u"TlcMemIniFile", u"TLCBFileManager"};
inline constexpr int LcComponentClassCount = 5;
inline const std::array<String, 6> LcLookupCallNames = {u"GetText(",  u"GetTextOrDefault(",
                                                        u"GetTextC(", u"GetTextOrDefaultC(",
                                                        u"GetTextW(", u"GetTextOrDefaultW("};
