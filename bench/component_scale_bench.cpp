// How reading and building components grow with their number, and what single loads cost.
//
//   bench_component_scale                        the table: a form of N buttons (and a
//                                                translation component) read from its text
//                                                form, from its binary image, and built by
//                                                code, for N = 10^4, 10^5 and 10^6
//   bench_component_scale sizes N...             the same for the sizes given
//   bench_component_scale form N FILE            writes that form's text
//   bench_component_scale image N FILE           writes it as a binary image
//   bench_component_scale long-line MB FILE      a text form whose caption is one line of MB
//                                                megabytes
//   bench_component_scale long-entry MB FILE     a binary form image whose translation
//                                                component holds one line of MB megabytes
//   bench_component_scale long-record MB FILE    the same line in a binary translation file
//   bench_component_scale long-hex MB FILE       a text form whose translation data are one
//                                                line of MB megabytes of hexadecimal digits
//   bench_component_scale lang-count N FILE      a text form whose translation component
//                                                stores N languages
//   bench_component_scale languages N FILE       a text translation file naming N languages
//   bench_component_scale record N FILE          a binary translation file whose record names
//                                                N languages
//   bench_component_scale load FILE              reads a form from its text or binary image
//   bench_component_scale translations FILE      loads a translation file into a form's
//                                                translation component
//   bench_component_scale build N                builds a form of N buttons by code
//
// The single runs print their time and the process's peak memory; run them under
// /usr/bin/time -v for the full picture. Figures, not pass/fail.
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "component/object_text.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/code_page.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/register_controls.h"

namespace {

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point Since) {
  return std::chrono::duration<double>(TClock::now() - Since).count();
}

long PeakMegabytes() {
  rusage U{};
  getrusage(RUSAGE_SELF, &U);
  return U.ru_maxrss / 1024;
}

std::string FormText(long N) {
  std::string T = "object Form1: TForm\n  Caption = 'Scale'\n  object slng1: TlcLang\n  end\n";
  for (long I = 1; I <= N; ++I) {
    const std::string Name = "Button" + std::to_string(I);
    T += "  object " + Name + ": TButton\n    Left = " + std::to_string(I % 640) +
         "\n    Top = " + std::to_string(I / 640) + "\n    Caption = '" + Name + "'\n  end\n";
  }
  return T + "end\n";
}

std::string ToImage(const std::string& Text) {
  TMemoryStream In(Text), Out;
  ObjectTextToBinary(In, Out);
  return Out.Bytes();
}

void WriteFile(const char* Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary)
      .write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

// A form read as a program reads one: a binary image from the stream it lies in, a text form
// first turned into its image.
TComponentPtr<TComponent> LoadForm(TStream& In) {
  char Signature[4] = {};
  In.Read(Signature, 4);
  In.SetPosition(0);
  if (std::memcmp(Signature, "TPF0", 4) == 0) return ReadComponentOwned(In);
  TMemoryStream Image;
  ObjectTextToBinary(In, Image);
  Image.SetPosition(0);
  return ReadComponentOwned(Image);
}

void Build(long N) {
  TComponentPtr<TForm> Form(new TForm(nullptr));
  new TlcLang(Form.get());
  for (long I = 1; I <= N; ++I) {
    auto* B = new TButton(Form.get());
    B->SetName(u"Button" + IntToStr(I));
    B->SetParent(Form.get());
    B->SetCaption(B->Name());
  }
}

void Table(const std::vector<long>& Sizes) {
  std::printf(
      "%10s %12s %12s %12s %12s   (seconds; the last column: binary read / (N log2 N) "
      "in ns)\n",
      "N", "text read", "binary read", "build", "free");
  for (long N : Sizes) {
    const std::string Text = FormText(N);
    const std::string Image = ToImage(Text);
    auto Start = TClock::now();
    {
      TMemoryStream In(Text);
      LoadForm(In);
    }
    const double TextRead = Seconds(Start);
    TComponentPtr<TComponent> Form;
    Start = TClock::now();
    {
      TMemoryStream In(Image);
      Form = LoadForm(In);
    }
    const double BinaryRead = Seconds(Start);
    Start = TClock::now();
    Form.reset();
    const double Free = Seconds(Start);
    Start = TClock::now();
    Build(N);
    const double Built = Seconds(Start);
    std::printf("%10ld %12.3f %12.3f %12.3f %12.3f   %.1f\n", N, TextRead, BinaryRead, Built, Free,
                BinaryRead * 1e9 / (static_cast<double>(N) * std::log2(static_cast<double>(N))));
  }
}

std::string LanguagesFile(long N) {
  std::string T = "[OPTIONS]\r\nDELIMITER=~!@#\r\nIsUTF8File=0\r\n";
  T += "[Language names - for internal use only!]\r\n";
  for (long I = 1; I <= N; ++I)
    T += "Language_" + std::to_string(I) + "=L" + std::to_string(I) + "\r\n";
  T += "[Captions]\r\nTForm.TForm=Scale~!@#\r\n";
  return T;
}

std::string LangCountForm(long N) {
  return "object Form1: TForm\n  object slng1: TlcLang\n    NumOfLanguages = " + std::to_string(N) +
         "\n  end\n  object Button1: TButton\n  end\nend\n";
}

// The image of a translation component whose captions hold one line of Megabytes.
std::string LongEntryImage(long Megabytes, bool InForm) {
  const String Line = u"TForm\x01" + String(static_cast<size_t>(Megabytes) << 19, u'x') + u"\x01";
  TMemoryStream Image;
  TWriter W(Image);
  W.WriteSignature();
  if (InForm) {
    W.WriteStr(u"TForm");
    W.WriteStr(u"Form1");
    W.WriteListEnd();
  }
  W.WriteStr(u"TlcLang");
  W.WriteStr(u"slng1");
  W.WriteStr(u"TranslationData");
  W.WriteBinary(Utf16LEEncode(u"stCaptions_Unicode\r\n" + Line + u"\r\n"));
  W.WriteListEnd();
  W.WriteListEnd();
  if (InForm) W.WriteListEnd();
  return Image.Bytes();
}

// A binary translation file of one record, for the form class TForm.
std::string RecordFile(const std::string& Record) {
  std::string F("LCB file: TlcLang binary translation data\0", 42);
  const auto U16 = [&F](unsigned V) {
    F += static_cast<char>(V & 0xFF);
    F += static_cast<char>(V >> 8);
  };
  U16(1);
  U16(0);
  U16(5);
  F += "TForm";
  const size_t Offset = F.size() + 4;  // the record follows its offset
  for (int B = 0; B < 4; ++B) F += static_cast<char>(Offset >> (8 * B) & 0xFF);
  F += Record;
  U16(0);
  return F;
}

// The record's component names N languages.
std::string LanguagesRecord(long N) {
  std::string Names;
  for (long I = 1; I <= N; ++I) Names += "      'L" + std::to_string(I) + "'\n";
  return ToImage("object slng1: TlcLang\n  LangNames.Strings = (\n" + Names + "  )\nend\n");
}

void Report(const char* What, double Time) {
  std::printf("%s: %.3f s, peak %ld MB\n", What, Time, PeakMegabytes());
}

int Usage() {
  std::fprintf(stderr, "see the comment at the top of bench/component_scale_bench.cpp\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterControlClasses();
  RegisterLangClasses();
  const std::vector<std::string> Args(argv + 1, argv + argc);
  if (Args.empty()) {
    Table({10000, 100000, 1000000});
    return 0;
  }
  const std::string& Mode = Args[0];
  try {
    if (Mode == "sizes") {
      std::vector<long> Sizes;
      for (size_t I = 1; I < Args.size(); ++I) Sizes.push_back(std::atol(Args[I].c_str()));
      Table(Sizes);
    } else if (Args.size() == 3 && Mode == "form") {
      WriteFile(argv[3], FormText(std::atol(argv[2])));
    } else if (Args.size() == 3 && Mode == "image") {
      WriteFile(argv[3], ToImage(FormText(std::atol(argv[2]))));
    } else if (Args.size() == 3 && Mode == "long-line") {
      std::string Line(static_cast<size_t>(std::atol(argv[2])) << 20, 'x');
      WriteFile(argv[3], "object Form1: TForm\n  Caption = '" + Line + "'\nend\n");
    } else if (Args.size() == 3 && Mode == "lang-count") {
      WriteFile(argv[3], LangCountForm(std::atol(argv[2])));
    } else if (Args.size() == 3 && Mode == "languages") {
      WriteFile(argv[3], LanguagesFile(std::atol(argv[2])));
    } else if (Args.size() == 3 && Mode == "record") {
      WriteFile(argv[3], RecordFile(LanguagesRecord(std::atol(argv[2]))));
    } else if (Args.size() == 3 && Mode == "long-entry") {
      WriteFile(argv[3], LongEntryImage(std::atol(argv[2]), true));
    } else if (Args.size() == 3 && Mode == "long-hex") {
      const std::string Image = LongEntryImage(std::atol(argv[2]) / 2, true);
      TMemoryStream In(Image), Text;
      ObjectBinaryToText(In, Text);
      std::string T = Text.Bytes();
      // The digits of the data on one line.
      const size_t Open = T.find('{'), Close = T.find('}');
      std::string Digits = T.substr(Open + 1, Close - Open - 1);
      std::erase_if(Digits, [](char C) { return C == ' ' || C == '\n'; });
      WriteFile(argv[3], T.substr(0, Open + 1) + Digits + T.substr(Close));
    } else if (Args.size() == 3 && Mode == "long-record") {
      WriteFile(argv[3], RecordFile(LongEntryImage(std::atol(argv[2]), false)));
    } else if (Args.size() == 2 && Mode == "load") {
      const auto Start = TClock::now();
      // A binary image in memory, as the program and the binary translation files read theirs;
      // a text form from its file.
      TFileStream File(FromUtf8(Args[1]), fmOpenRead | fmShareDenyNone);
      TMemoryStream Image;
      char Signature[4] = {};
      if (File.Read(Signature, 4) == 4 && std::memcmp(Signature, "TPF0", 4) == 0)
        Image.LoadFromStream(File);
      File.SetPosition(0);
      TComponentPtr<TComponent> Form =
          LoadForm(Image.Size() > 0 ? static_cast<TStream&>(Image) : File);
      Report("load", Seconds(Start));
    } else if (Args.size() == 2 && Mode == "translations") {
      TComponentPtr<TForm> Form(new TForm(nullptr));
      auto* Lang = new TlcLang(Form.get());
      const auto Start = TClock::now();
      try {
        if (Args[1].ends_with(".lcb"))
          Lang->LoadAllFromBinaryFile(FromUtf8(Args[1]));
        else
          Lang->LoadAllFromFile(FromUtf8(Args[1]), true);
      } catch (const Exception& E) {
        std::printf("refused: %s\n", ToUtf8(E.Message()).c_str());
      }
      Report("translations", Seconds(Start));
      std::printf("languages: %d\n", Lang->NumOfLanguages());
    } else if (Args.size() == 2 && Mode == "build") {
      const auto Start = TClock::now();
      Build(std::atol(argv[2]));
      Report("build", Seconds(Start));
    } else {
      return Usage();
    }
  } catch (const Exception& E) {
    std::printf("failed: %s\n", ToUtf8(E.Message()).c_str());
    return 1;
  }
  return 0;
}
