#pragma once
// The readable translation table of a form: sections "[stCaptions]" ... with entry lines
//   name "text of language 1" "text of language 2" ...
// (escapes \" \\ \r \n \t inside quotes; "#" starts a comment line), turned into the
// "TranslationData" payload of the form's translation component.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ustring.h"

struct TTranslationSection {
  String Category;            // "stCaptions"
  std::vector<String> Lines;  // translation lines with character 1 as the delimiter
};

// Raises Exception "Line %d: ..." on malformed text; every entry must hold the same number of
// texts.
std::vector<TTranslationSection> ParseTranslationTable(std::string_view Utf8);
int TranslationTableLanguages(const std::vector<TTranslationSection>& Table);
std::string TranslationDataPayload(const std::vector<TTranslationSection>& Table);
// The form's text with the payload placed into the object named Component.
std::string EmbedTranslationData(const std::string& FormText, const std::string& Component,
                                 const std::string& Payload);
