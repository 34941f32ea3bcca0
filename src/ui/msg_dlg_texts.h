#pragma once
// The class library's own message-dialog texts: the four titles (warning, error, information,
// confirmation), then the buttons Yes, No, OK, Cancel, Abort, Retry, Ignore, All, No to All,
// Yes to All, Help.
#include <array>

#include "core/ustring.h"

std::array<String, 15> MsgDlgTexts();
