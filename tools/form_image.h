#pragma once
// A form's readable text turned into the binary component stream that form_to_binary writes.
#include <string>
#include <string_view>

// With a Component name, the readable translation table TableText first becomes the
// "TranslationData" of that component of the form. Malformed text raises Exception.
std::string FormImage(const std::string& FormText, const std::string& Component,
                      std::string_view TableText);
