// Resolves arbitrary property paths on a form of real controls (a button, a memo, a status bar
// with panels, a combo box): reads the kind and the value, writes a value, and applies them as
// an extended item in both languages. Input: a path, a line feed, then the value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/exceptions.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/memo.h"
#include "ui/status_bar.h"

namespace {

String Text(const std::string& Bytes) {
  String S;
  for (unsigned char C : Bytes) S += static_cast<char16_t>(C);
  return S;
}

template <class T>
T* Add(TForm& Form, const char16_t* Name) {
  T* C = new T(&Form);
  C->SetName(Name);
  C->SetParent(&Form);
  return C;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Input(reinterpret_cast<const char*>(Data), Size);
  const size_t Break = Input.find('\n');
  const String Path = Text(Input.substr(0, Break));
  const String Value = Break == std::string::npos ? String() : Text(Input.substr(Break + 1));

  TComponentPtr<TForm> Form(new TForm(nullptr));
  Form->SetName(u"fmFuzz");
  auto* Lang = new TlcLang(Form.get());
  Lang->SetNumOfLanguages(2);
  Add<TButton>(*Form, u"Button1")->SetCaption(u"OK");
  Add<TMemo>(*Form, u"Memo1")->Lines()->SetText(u"a\r\nb\r\nc");
  Add<TComboBox>(*Form, u"Combo1")->Items()->SetText(u"one\r\ntwo");
  auto* Bar = Add<TStatusBar>(*Form, u"Bar1");
  Bar->Panels()->Add()->SetText(u"Ready");
  Bar->Panels()->Add();
  try {
    Lang->GetPropTypeByPath(Path);
    Lang->GetPropValueByPath(Path);
    Lang->SetPropValueByPath(Path, Value);
  } catch (const Exception&) {
  }
  TlcExtendedItem* Item = Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(Path);
  Item->SetValues(Value);
  Lang->ChangeLangForExtended();
  Lang->SetActiveLanguage(2);
  Lang->ChangeLangForExtended();
  return 0;
}
