#pragma once
// The main window's form data: its layout and translation table as the binary component
// stream, made from forms/main_window.form and forms/main_window.lang when the program is built.
#include <cstddef>

extern const unsigned char MainWindowForm[];
extern const std::size_t MainWindowForm_size;
