#pragma once
// Whether the program can open its window, checked before Qt starts (Qt would abort without a
// display), and what to tell the user when it cannot.
#include <string>

// A display is named (DISPLAY, WAYLAND_DISPLAY), or a Qt platform is chosen (QT_QPA_PLATFORM).
bool QtDisplayAvailable();
std::string NoDisplayMessage(const std::string& Program);
