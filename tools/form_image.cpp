#include "form_image.h"

#include "component/object_text.h"
#include "core/stream.h"
#include "translation_table.h"

std::string FormImage(const std::string& FormText, const std::string& Component,
                      std::string_view TableText) {
  std::string Text = FormText;
  if (!Component.empty())
    Text = EmbedTranslationData(Text, Component,
                                TranslationDataPayload(ParseTranslationTable(TableText)));
  TMemoryStream In(Text), Image;
  ObjectTextToBinary(In, Image);
  return Image.Bytes();
}
