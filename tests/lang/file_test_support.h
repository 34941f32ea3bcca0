#pragma once
// Shared helpers of the translation file tests: a folder per test, forms of two classes with a
// translation component in English and Russian, and reading files back as bytes.
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>

#include "core/code_page.h"
#include "core/stream.h"
#include "file_size_limit.h"
#include "lang/custom_lang.h"
#include "lang_test_support.h"
#include "temp_folder.h"
#include "two_processes.h"

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

// An empty folder of the test's own, private since other checkouts run the same tests at the
// same time; removed when the test's process ends.
inline String TestFolder() {
  static std::vector<std::unique_ptr<TTempFolder>> Made;
  Made.push_back(std::make_unique<TTempFolder>());
  return FromUtf8(Made.back()->Path() + "/");
}

// Two programs, one with a form of each class, each saving its form with Save into the files 0
// to Files - 1 in turn, both starting each file at the same moment; true when both ran to their
// end.
inline bool SaveTwoFormsAtOnce(int Files, const std::function<void(TlcCustomLang&, int)>& Save) {
  TMeetingPoint Point;
  return RunInTwoProcesses([&](int Which) {
    TLangForm<> A;
    TLangForm<TOtherTestForm> B;
    TlcCustomLang& Lang = Which == 0 ? *A.Lang : *B.Lang;
    Lang.Strings()->Add(L("IDS_1|x|y|"));
    for (int I = 0; I < Files; ++I) {
      Point.Meet();
      Save(Lang, I);
    }
  });
}
