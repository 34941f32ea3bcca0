// Collects the texts of a designed form of real controls into translation lists that hold
// arbitrary lines (as form data or a translation file may bring them), then switches the
// language, renames a component and collects again. Input: one line per input line, its first
// byte choosing the list, '|' standing for the delimiter.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/exceptions.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/menus.h"
#include "ui/status_bar.h"

namespace {

String Text(const std::string& Bytes) {
  String S;
  for (unsigned char C : Bytes) S += C == '|' ? char16_t{1} : static_cast<char16_t>(C);
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
  TComponentPtr<TForm> Form(new TForm(nullptr));
  Form->SetName(u"fmFuzz");
  Form->SetCaption(u"Fuzz");
  auto* Lang = new TlcLang(Form.get());
  Lang->SetNumOfLanguages(2);
  auto* Button = Add<TButton>(*Form, u"Button1");
  Button->SetCaption(u"OK");
  Button->SetHint(u"Close");
  Button->SetParentFont(false);
  Add<TLabel>(*Form, u"Label1")->SetCaption(u"Name");
  Add<TMemo>(*Form, u"Memo1")->Lines()->SetText(u"a\r\nb");
  Add<TComboBox>(*Form, u"Combo1")->Items()->SetText(u"one\r\ntwo");
  Add<TStatusBar>(*Form, u"Bar1")->Panels()->Add()->SetText(u"Ready");
  (new TMenuItem(Form.get()))->SetName(u"mniLine");
  for (size_t Start = 0; Start < Input.size();) {
    size_t End = Input.find('\n', Start);
    if (End == std::string::npos) End = Input.size();
    if (End > Start) {
      const auto Category =
          static_cast<TStringsType>(static_cast<unsigned char>(Input[Start]) % StringsTypeCount);
      const String Line = Text(Input.substr(Start + 1, End - Start - 1));
      if (TStrings* List = Lang->GetPropListByType(Category))
        List->Add(Line);
      else
        Lang->ExtendedTranslations()->Add()->SetIdentifier(Line);
    }
    Start = End + 1;
  }
  Form->SetDesigning(true);
  try {
    Lang->BuildList();
    Lang->SetActiveLanguage(2);
    Button->SetName(u"btnOK");
    Lang->BuildList();
    Lang->SetActiveLanguage(1);
  } catch (const Exception&) {
  }
  return 0;
}
