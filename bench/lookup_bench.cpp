// Look-up of message texts by key: the translation component against GNU gettext's catalog
// and Qt's translator, on the same 10,000 keys and texts in two languages.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <libintl.h>
#include <locale.h>

#ifdef LC_LRELEASE
#include <QCoreApplication>
#include <QTranslator>
#endif

#include "core/code_page.h"
#include "lang/custom_lang.h"

namespace {

constexpr int KeyCount = 10000;

struct Table {
  std::vector<std::string> Keys;              // present keys, in a shuffled order
  std::vector<std::string> Misses;            // keys that are not in the table
  std::vector<std::string> Fallbacks;         // keys whose Russian text is empty
  std::vector<std::string> English, Russian;  // by key number
};

const Table& TheTable() {
  static const Table T = [] {
    Table R;
    for (int I = 0; I < KeyCount; ++I) {
      R.English.push_back("Message number " + std::to_string(I) + " in English");
      R.Russian.push_back(I % 10 == 0 ? "" : "Сообщение номер " + std::to_string(I) + " по-русски");
    }
    std::vector<int> Order(KeyCount);
    for (int I = 0; I < KeyCount; ++I) Order[I] = I;
    std::shuffle(Order.begin(), Order.end(), std::mt19937(42));
    for (int I : Order) {
      const std::string Key = "IDS_" + std::to_string(I);
      (I % 10 == 0 ? R.Fallbacks : R.Keys).push_back(Key);
      R.Misses.push_back("IDS_X" + std::to_string(I));
    }
    return R;
  }();
  return T;
}

class TBenchForm : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TBenchForm", &TComponent::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  TBenchForm() : TComponent(nullptr) {}
};

TlcLang& Lang() {
  static TBenchForm Form;
  static TlcLang* L = [] {
    auto* Lang = new TlcLang(&Form);
    Lang->SetNumOfLanguages(2);
    const Table& T = TheTable();
    for (int I = 0; I < KeyCount; ++I)
      Lang->Strings()->Add(FromUtf8("IDS_" + std::to_string(I) + "\x01" + T.English[I] + "\x01" +
                                    T.Russian[I] + "\x01"));
    Lang->RebuildStringsCollection(*Lang->StringsColl(), 0);
    Lang->SetActiveLanguage(2);
    return Lang;
  }();
  return *L;
}

std::vector<String> Wide(const std::vector<std::string>& Keys) {
  std::vector<String> R;
  for (const auto& K : Keys) R.push_back(FromUtf8(K));
  return R;
}

void RunLang(benchmark::State& State, const std::vector<std::string>& Keys) {
  TlcLang& L = Lang();
  const std::vector<String> W = Wide(Keys);
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(L.GetTextOrDefault(W[I]));
    if (++I == W.size()) I = 0;
  }
}

void BM_Lang_Hit(benchmark::State& S) {
  RunLang(S, TheTable().Keys);
}
void BM_Lang_Miss(benchmark::State& S) {
  RunLang(S, TheTable().Misses);
}
void BM_Lang_Fallback(benchmark::State& S) {
  RunLang(S, TheTable().Fallbacks);
}
BENCHMARK(BM_Lang_Hit);
BENCHMARK(BM_Lang_Miss);
BENCHMARK(BM_Lang_Fallback);

std::filesystem::path WorkDir() {
  static const std::filesystem::path P = [] {
    auto Dir =
        std::filesystem::temp_directory_path() / ("lookup_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    return Dir;
  }();
  return P;
}

std::string Quote(const std::string& S) {
  std::string R = "\"";
  for (char C : S) {
    if (C == '"' || C == '\\') R += '\\';
    R += C;
  }
  return R + "\"";
}

#ifdef LC_MSGFMT
bool GettextReady() {
  static const bool Ready = [] {
    const Table& T = TheTable();
    const auto Dir = WorkDir() / "ru" / "LC_MESSAGES";
    std::filesystem::create_directories(Dir);
    {
      std::ofstream Po(WorkDir() / "bench.po");
      Po << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
      for (int I = 0; I < KeyCount; ++I)
        Po << "msgid " << Quote("IDS_" + std::to_string(I)) << "\nmsgstr " << Quote(T.Russian[I])
           << "\n\n";
    }
    const std::string Cmd = std::string(LC_MSGFMT) + " -o " + (Dir / "bench.mo").string() + " " +
                            (WorkDir() / "bench.po").string();
    if (std::system(Cmd.c_str()) != 0) return false;
    ::setenv("LANGUAGE", "ru", 1);
    ::setlocale(LC_ALL, "C.UTF-8");
    ::bindtextdomain("bench", WorkDir().c_str());
    ::bind_textdomain_codeset("bench", "UTF-8");
    return std::string(::dgettext("bench", "IDS_1")) == T.Russian[1];
  }();
  return Ready;
}

void RunGettext(benchmark::State& State, const std::vector<std::string>& Keys) {
  if (!GettextReady()) {
    State.SkipWithError("gettext catalog could not be made");
    return;
  }
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(::dgettext("bench", Keys[I].c_str()));
    if (++I == Keys.size()) I = 0;
  }
}

void BM_Gettext_Hit(benchmark::State& S) {
  RunGettext(S, TheTable().Keys);
}
void BM_Gettext_Miss(benchmark::State& S) {
  RunGettext(S, TheTable().Misses);
}
void BM_Gettext_Fallback(benchmark::State& S) {
  RunGettext(S, TheTable().Fallbacks);
}
BENCHMARK(BM_Gettext_Hit);
BENCHMARK(BM_Gettext_Miss);
BENCHMARK(BM_Gettext_Fallback);
#endif

#ifdef LC_LRELEASE
std::string XmlEscape(const std::string& S) {
  std::string R;
  for (char C : S) {
    if (C == '<')
      R += "&lt;";
    else if (C == '&')
      R += "&amp;";
    else
      R += C;
  }
  return R;
}

QTranslator* QtTranslator() {
  static QTranslator* Translator = []() -> QTranslator* {
    const Table& T = TheTable();
    {
      std::ofstream Ts(WorkDir() / "bench.ts");
      Ts << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
            "<TS version=\"2.1\" language=\"ru_RU\"><context><name>main</name>\n";
      for (int I = 0; I < KeyCount; ++I) {
        Ts << "<message><source>IDS_" << I << "</source><translation";
        if (T.Russian[I].empty()) Ts << " type=\"unfinished\"";
        Ts << ">" << XmlEscape(T.Russian[I]) << "</translation></message>\n";
      }
      Ts << "</context></TS>\n";
    }
    const std::string Cmd = std::string(LC_LRELEASE) + " -silent " +
                            (WorkDir() / "bench.ts").string() + " -qm " +
                            (WorkDir() / "bench.qm").string();
    if (std::system(Cmd.c_str()) != 0) return nullptr;
    auto* Tr = new QTranslator;
    if (!Tr->load(QString::fromStdString((WorkDir() / "bench.qm").string()))) return nullptr;
    return Tr;
  }();
  return Translator;
}

void RunQt(benchmark::State& State, const std::vector<std::string>& Keys) {
  QTranslator* Tr = QtTranslator();
  if (!Tr) {
    State.SkipWithError("Qt catalog could not be made");
    return;
  }
  std::vector<QByteArray> K;
  for (const auto& Key : Keys) K.emplace_back(Key.c_str());
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(Tr->translate("main", K[I].constData()));
    if (++I == K.size()) I = 0;
  }
}

void BM_Qt_Hit(benchmark::State& S) {
  RunQt(S, TheTable().Keys);
}
void BM_Qt_Miss(benchmark::State& S) {
  RunQt(S, TheTable().Misses);
}
void BM_Qt_Fallback(benchmark::State& S) {
  RunQt(S, TheTable().Fallbacks);
}
BENCHMARK(BM_Qt_Hit);
BENCHMARK(BM_Qt_Miss);
BENCHMARK(BM_Qt_Fallback);
#endif

// Collects the time per iteration of every run, to print the ratios at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs)
      if (!R.error_occurred) Times[R.benchmark_name()] = R.GetAdjustedRealTime();
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  std::printf("\nPeer time / our time (above 1: ours is faster)\n");
  for (const char* Case : {"Hit", "Miss", "Fallback"}) {
    const auto Ours = Reporter.Times.find(std::string("BM_Lang_") + Case);
    if (Ours == Reporter.Times.end()) continue;
    for (const char* Peer : {"Gettext", "Qt"}) {
      const auto It = Reporter.Times.find(std::string("BM_") + Peer + "_" + Case);
      if (It != Reporter.Times.end())
        std::printf("  %-8s %-8s %6.2f\n", Case, Peer, It->second / Ours->second);
    }
  }
  std::filesystem::remove_all(WorkDir());
  benchmark::Shutdown();
  return 0;
}
