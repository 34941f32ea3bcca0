#pragma once
// The tool's log beside the program, and the program's own version text.
#include "core/ustring.h"

// Appends a time-stamped line (ANSI, CR LF) to the log while "Write Log Info" is checked;
// a log that cannot be opened is skipped.
void WriteLog(const AnsiString& Text);
// The program file's version as "1.8.3.62", or "" when the program file has none.
String GetAppVersion();
