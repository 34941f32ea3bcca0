// The language switch on a headless form of N components (buttons with a caption, a hint and a
// font of their own; every tenth a memo with a three-line text), switching between two
// languages. One iteration is one switch; the complexity fit shows how it grows with N.
#include <benchmark/benchmark.h>

#include <string>

#include "component/component.h"
#include "lang/custom_lang.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/memo.h"

namespace {

String Line(const String& Name, const String& English, const String& Russian) {
  const String D(1, u'\x01');
  return Name + D + English + D + Russian + D;
}

struct TBenchForm {
  explicit TBenchForm(int Count) : Form(new TForm(nullptr)) {
    Lang = new TlcLang(Form.get());
    Lang->SetNumOfLanguages(2);
    for (int I = 0; I < Count; ++I) {
      const String N = IntToStr(I);
      if (I % 10 == 9) {
        auto* Memo = new TMemo(Form.get());
        Memo->SetName(u"Memo" + N);
        Memo->SetParent(Form.get());
        Memo->Lines()->SetCommaText(u"first,second,third");
        Lang->MultiLines()->Add(Line(u"Memo" + N + u".Lines", u"first,second,third",
                                     u"первая,вторая,третья"));
        continue;
      }
      auto* Button = new TButton(Form.get());
      const String Name = u"Button" + N;
      Button->SetName(Name);
      Button->SetParent(Form.get());
      Button->SetCaption(u"Open " + N);
      Button->SetHint(u"Opens " + N);
      Button->Font()->SetName(u"Tahoma");
      Lang->Captions()->Add(Line(Name, u"Open " + N, u"Открыть " + N));
      Lang->Hints()->Add(Line(Name, u"Opens " + N, u"Открывает " + N));
      Lang->Fonts()->Add(Line(Name, u"Tahoma", u"Arial"));
    }
  }
  TComponentPtr<TForm> Form;
  TlcLang* Lang;
};

void BM_ChangeLanguage(benchmark::State& State) {
  TBenchForm F(static_cast<int>(State.range(0)));
  int Language = 1;
  for (auto _ : State) {
    Language = 3 - Language;
    F.Lang->SetActiveLanguage(Language);
  }
  State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_ChangeLanguage)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
