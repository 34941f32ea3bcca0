// Loading translation files: a text and a binary translation file of N lines into a component,
// against the same texts as a GNU gettext catalog (a .po file compiled by msgfmt, loaded and
// every key looked up once) and as a Qt catalog (a .ts file compiled by lrelease, loaded). Every
// file is made before the timed loops; each iteration loads from scratch. Bytes per second are
// those of each side's own file.
#include <benchmark/benchmark.h>
#include <libintl.h>
#include <locale.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#ifdef LC_LRELEASE
#include <QTranslator>
#endif

#include "lang/custom_lang.h"

namespace {

constexpr int Iterations = 5;
constexpr int Repetitions = 5;

class TBenchForm : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TBenchForm", &TComponent::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  TBenchForm() : TComponent(nullptr) {}
};

std::string English(int I) {
  return "Message number " + std::to_string(I) + " in English";
}
std::string Russian(int I) {
  return "Сообщение номер " + std::to_string(I) + " по-русски";
}
std::string Key(int I) {
  return "IDS_" + std::to_string(I);
}

std::filesystem::path WorkDir() {
  static const std::filesystem::path P = [] {
    auto Dir = std::filesystem::temp_directory_path() / ("file_bench_" + std::to_string(getpid()));
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

// The component's text and binary files of N lines, made once per size.
struct TOurFiles {
  String Text, Binary;
  int64_t TextBytes = 0, BinaryBytes = 0;
};

const TOurFiles& OurFiles(int N) {
  static std::map<int, TOurFiles> Files;
  auto [It, New] = Files.try_emplace(N);
  if (!New) return It->second;
  TBenchForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  Lang->SetStoreAsUTF8(true);
  for (int I = 0; I < N; ++I)
    Lang->Strings()->Add(FromUtf8(Key(I) + "\x01" + English(I) + "\x01" + Russian(I) + "\x01"));
  const auto Base = WorkDir() / ("ours_" + std::to_string(N));
  It->second.Text = FromUtf8(Base.string() + ".lng");
  It->second.Binary = FromUtf8(Base.string() + ".lcb");
  Lang->SaveAllToFile(It->second.Text, u"~!@#");
  Lang->SaveAllToBinaryFile(It->second.Binary);
  It->second.TextBytes = std::filesystem::file_size(ToUtf8(It->second.Text));
  It->second.BinaryBytes = std::filesystem::file_size(ToUtf8(It->second.Binary));
  return It->second;
}

template <class Load>
void RunOurs(benchmark::State& State, const String& File, int64_t Bytes, Load LoadInto) {
  const int N = static_cast<int>(State.range(0));
  std::vector<String> Keys;
  for (int I = 0; I < N; ++I) Keys.push_back(FromUtf8(Key(I)));
  for (auto _ : State) {
    TBenchForm Form;
    auto* Lang = new TlcLang(&Form);
    LoadInto(*Lang, File);
    if (Lang->Strings()->Count() != N) State.SkipWithError("the file did not load");
    Lang->SetActiveLanguage(2);
    if (State.range(1))
      for (const String& K : Keys) benchmark::DoNotOptimize(Lang->GetTextOrDefault(K));
  }
  State.SetBytesProcessed(State.iterations() * Bytes);
}

void BM_Lang_Text(benchmark::State& State) {
  const TOurFiles& F = OurFiles(static_cast<int>(State.range(0)));
  RunOurs(State, F.Text, F.TextBytes,
          [](TlcLang& L, const String& File) { L.LoadAllFromFile(File, true); });
}

void BM_Lang_Binary(benchmark::State& State) {
  const TOurFiles& F = OurFiles(static_cast<int>(State.range(0)));
  RunOurs(State, F.Binary, F.BinaryBytes,
          [](TlcLang& L, const String& File) { L.LoadAllFromBinaryFile(File); });
}

#ifdef LC_MSGFMT
// gettext keeps a catalog once loaded, so every iteration binds a domain of its own to a folder
// of its own (hard links to one compiled catalog, made beforehand).
void BM_Gettext(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  const auto Dir = WorkDir() / ("gettext_" + std::to_string(N));
  const auto Mo = Dir / "bench.mo";
  if (!std::filesystem::exists(Mo)) {
    std::filesystem::create_directories(Dir);
    std::ofstream Po(Dir / "bench.po");
    Po << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    for (int I = 0; I < N; ++I)
      Po << "msgid " << Quote(Key(I)) << "\nmsgstr " << Quote(Russian(I)) << "\n\n";
    Po.close();
    const std::string Cmd =
        std::string(LC_MSGFMT) + " -o " + Mo.string() + " " + (Dir / "bench.po").string();
    if (std::system(Cmd.c_str()) != 0) {
      State.SkipWithError("msgfmt failed");
      return;
    }
  }
  static int Domain = 0;
  const int Needed = Iterations + 1;
  std::vector<std::string> Domains;
  for (int I = 0; I < Needed; ++I) {
    const std::string Name = "b" + std::to_string(Domain++);
    const auto Sub = Dir / Name / "ru" / "LC_MESSAGES";
    std::filesystem::create_directories(Sub);
    std::filesystem::create_hard_link(Mo, Sub / (Name + ".mo"));
    ::bindtextdomain(Name.c_str(), (Dir / Name).c_str());
    ::bind_textdomain_codeset(Name.c_str(), "UTF-8");
    Domains.push_back(Name);
  }
  ::setenv("LANGUAGE", "ru", 1);
  ::setlocale(LC_ALL, "C.UTF-8");
  std::vector<std::string> Keys;
  for (int I = 0; I < N; ++I) Keys.push_back(Key(I));
  size_t Next = 0;
  for (auto _ : State) {
    const char* D = Domains[Next++ % Domains.size()].c_str();
    for (const std::string& K : Keys) benchmark::DoNotOptimize(::dgettext(D, K.c_str()));
  }
  if (std::string(::dgettext(Domains[0].c_str(), "IDS_1")) != Russian(1))
    State.SkipWithError("gettext gave another text");
  State.SetBytesProcessed(State.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(Mo)));
}
BENCHMARK(BM_Gettext)
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Iterations(Iterations)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
#endif

#ifdef LC_LRELEASE
void BM_Qt(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  const auto Dir = WorkDir() / ("qt_" + std::to_string(N));
  const auto Qm = Dir / "bench.qm";
  if (!std::filesystem::exists(Qm)) {
    std::filesystem::create_directories(Dir);
    std::ofstream Ts(Dir / "bench.ts");
    Ts << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
          "<TS version=\"2.1\" language=\"ru_RU\"><context><name>main</name>\n";
    for (int I = 0; I < N; ++I)
      Ts << "<message><source>" << Key(I) << "</source><translation>" << Russian(I)
         << "</translation></message>\n";
    Ts << "</context></TS>\n";
    Ts.close();
    const std::string Cmd = std::string(LC_LRELEASE) + " -silent " + (Dir / "bench.ts").string() +
                            " -qm " + Qm.string();
    if (std::system(Cmd.c_str()) != 0) {
      State.SkipWithError("lrelease failed");
      return;
    }
  }
  std::vector<QByteArray> Keys;
  for (int I = 0; I < N; ++I) Keys.emplace_back(Key(I).c_str());
  const QString File = QString::fromStdString(Qm.string());
  for (auto _ : State) {
    QTranslator Tr;
    if (!Tr.load(File)) State.SkipWithError("the catalog did not load");
    if (State.range(1))
      for (const QByteArray& K : Keys)
        benchmark::DoNotOptimize(Tr.translate("main", K.constData()));
  }
  State.SetBytesProcessed(State.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(Qm)));
}
BENCHMARK(BM_Qt)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Iterations(Iterations)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_Lang_Text)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Iterations(Iterations)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lang_Binary)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Iterations(Iterations)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// Keeps the median time of every benchmark, for the ratios at the end.
class TMedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs)
      if (!R.error_occurred && R.aggregate_name == "median")
        Medians[R.run_name.function_name + "/" + R.run_name.args] = R.GetAdjustedRealTime();
  }
  std::map<std::string, double> Medians;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TMedianReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  // Ratios of medians from this one run: the faster peer's time over ours (above 1: ours is
  // faster), loading alone and loading with every key looked up once.
  std::printf("\nFaster peer time / our time\n");
  for (const char* Size : {"1000", "10000", "100000"})
    for (const char* Lookups : {"0", "1"}) {
      const std::string Args = std::string("/") + Size + "/" + Lookups;
      double Peer = 0;
      for (const std::string& Name : {"BM_Gettext/" + std::string(Size) + "/1", "BM_Qt" + Args}) {
        const auto It = Reporter.Medians.find(Name);
        if (It != Reporter.Medians.end() && (Peer == 0 || It->second < Peer)) Peer = It->second;
      }
      for (const char* Ours : {"BM_Lang_Text", "BM_Lang_Binary"}) {
        const auto It = Reporter.Medians.find(Ours + Args);
        if (Peer > 0 && It != Reporter.Medians.end())
          std::printf("  %-15s lines %-7s lookups %s  %6.2f\n", Ours, Size, Lookups,
                      Peer / It->second);
      }
    }
  std::filesystem::remove_all(WorkDir());
  benchmark::Shutdown();
  return 0;
}
