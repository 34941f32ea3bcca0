#pragma once
// Shared helpers of the translation file tests: a folder per test, forms of two classes with a
// translation component in English and Russian, and reading files back as bytes.
#include <gtest/gtest.h>
#include <filesystem>
#include <vector>

#include "core/code_page.h"
#include "core/stream.h"
#include "file_size_limit.h"
#include "lang/custom_lang.h"
#include "lang_test_support.h"

class TOtherTestForm : public TTestForm {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TOtherTestForm", &TTestForm::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TTestForm::TTestForm;
};

// A form named Form1 of class T with a translation component in English and Russian.
template <class T = TTestForm>
struct TLangForm {
  TLangForm() {
    Form.SetName(u"Form1");
    // The components the tests' lines name: loading drops the lines of others as stale.
    for (const char16_t* Name :
         {u"btnGo", u"btnCase", u"btnNoSep", u"btnOld", u"btnOnlyB", u"List1"})
      (new TComponent(&Form))->SetName(Name);
    Lang = new TlcLang(&Form);
    // The files, not the form: the switch would also drop lines its plain components cannot take.
    Lang->BlockLanguageChanging = true;
    TStringList Names;
    Names.Add(u"English");
    Names.Add(u"Russian");
    Lang->SetLangNames(&Names);
  }
  T Form;
  TlcLang* Lang;
};

inline std::vector<String> LinesOf(const TStrings& L) {
  std::vector<String> R;
  for (int I = 0; I < L.Count(); ++I) R.push_back(L[I]);
  return R;
}

inline std::string FileBytes(const String& Name) {
  TMemoryStream M;
  M.LoadFromFile(Name);
  return M.Bytes();
}

// A folder of the test's own (ctest runs tests side by side).
inline String TestFolder() {
  const std::string Dir = ::testing::TempDir() + "lang_files_" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
  std::filesystem::remove_all(Dir);
  std::filesystem::create_directories(Dir);
  return FromUtf8(Dir);
}
