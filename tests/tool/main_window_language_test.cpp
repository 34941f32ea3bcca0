#include <string>
#include <vector>

#include "tool_test_support.h"

namespace {

struct TRow {
  const char* Name;
  const char* English;
  const char* Russian;
};

// The window's caption table.
const TRow Captions[] = {{"fmMain", "Q8M update V1.8", "Q8M update V1.8"},
                         {"btScanCtrl", "Scan", "Поиск"},
                         {"GroupBox1", "Network address", "Сетевой адрес"},
                         {"btCheckNetAddr", "Scan", "Поиск"},
                         {"btIdentify", "Open door", "Открыть"},
                         {"GroupBox2", "Serial number", "Заводской №"},
                         {"btCheckSN", "Check", "Опрос"},
                         {"btSetNewNA", "Set new address", "Уст. новый адрес"},
                         {"GroupBox3", "Port converter ", "Порт конвертера"},
                         {"btCOMrescan", "Rescan", "Обновить"},
                         {"Image", "Firmware", "Прошивка"},
                         {"btLoadImage", "Load image", "Загрузить ROM"},
                         {"btProg", "Start update", "Прошить"},
                         {"ppmWriteLogInfo", "Write Log Info", "Вести LOG"},
                         {"btnEnglish", "Eng", "Eng"},
                         {"btnRussian", "Rus", "Rus"}};

// The font table, and the components whose charset is Russian in Russian.
const std::pair<const char*, const char*> Fonts[] = {
    {"fmMain", "Tahoma"},         {"Panel1", "Tahoma"},     {"GroupBox1", "Tahoma"},
    {"btCheckNetAddr", "Tahoma"}, {"btIdentify", "Tahoma"}, {"GroupBox2", "Tahoma"},
    {"btCheckSN", "Tahoma"},      {"GroupBox3", "Tahoma"},  {"btCOMrescan", "Tahoma"},
    {"Image", "Tahoma"},          {"btProg", "Tahoma"},     {"sbBar", "Tahoma"},
    {"seNetAdr", "Impact"},       {"seSN", "Impact"},       {"cbPort", "Impact"},
    {"Memo1", "Courier New"}};
const char* const RussianCharset[] = {"GroupBox2",   "btCheckSN", "seSN",  "GroupBox3",
                                      "btCOMrescan", "cbPort",    "Image", "btProg",
                                      "Memo1",       "sbBar"};

TControl* ControlNamed(TfmMain& W, const char* Name) {
  if (std::string(Name) == "fmMain") return &W;
  return dynamic_cast<TControl*>(W.FindComponent(FromUtf8(Name)));
}

String CaptionOf(TfmMain& W, const char* Name) {
  if (auto* Item = dynamic_cast<TMenuItem*>(W.FindComponent(FromUtf8(Name))))
    return Item->Caption();
  return ControlNamed(W, Name)->Caption();
}

bool IsRussianCharset(const char* Name) {
  for (const char* R : RussianCharset)
    if (std::string(R) == Name) return true;
  return false;
}

// Every caption, font and hint of the window in one text, to compare whole states.
std::string StateOf(TfmMain& W) {
  std::string S;
  for (int I = 0; I < W.ComponentCount(); ++I) {
    TComponent* C = W.Components(I);
    S += ToUtf8(C->Name());
    if (auto* Item = dynamic_cast<TMenuItem*>(C)) S += " " + ToUtf8(Item->Caption());
    if (auto* Control = dynamic_cast<TControl*>(C)) {
      const TFont& F = *Control->Font();
      S += " " + ToUtf8(Control->Caption()) + "|" + ToUtf8(Control->Hint()) + "|" +
           ToUtf8(F.Name()) + "|" + std::to_string(F.Charset()) + "|" + std::to_string(F.Height()) +
           "|" + std::to_string(F.Style());
    }
    S += "\n";
  }
  return S + ToUtf8(W.Caption()) + "|" + ToUtf8(W.Font()->Name()) + "|" +
         std::to_string(W.Font()->Charset());
}

TEST_F(ToolTest, RussianAppliesTheCaptionFontAndCharsetTablesAndEnglishTakesThemBack) {
  TfmMain& W = OpenWindow();
  for (const char* Own : {"seNetAdr", "seSN", "cbPort", "btIdentify"})
    EXPECT_FALSE(ControlNamed(W, Own)->Font()->Style() & (1u << fsBold)) << Own;

  W.btnRussianClick(nullptr);
  for (const TRow& R : Captions) EXPECT_EQ(CaptionOf(W, R.Name), FromUtf8(R.Russian)) << R.Name;
  for (const auto& [Name, Font] : Fonts) {
    EXPECT_EQ(ControlNamed(W, Name)->Font()->Name(), FromUtf8(Font)) << Name;
    EXPECT_EQ(ControlNamed(W, Name)->Font()->Charset(), IsRussianCharset(Name) ? 204 : 1) << Name;
  }
  // Controls that show their parent's font follow it.
  EXPECT_EQ(W.btLoadImage->Font()->Charset(), 204);
  EXPECT_EQ(W.btSetNewNA->Font()->Charset(), 204);
  EXPECT_EQ(W.slng1->CurrentCharset, DEFAULT_CHARSET);
  const std::string Russian = StateOf(W);

  W.btnEnglishClick(nullptr);
  for (const TRow& R : Captions) EXPECT_EQ(CaptionOf(W, R.Name), FromUtf8(R.English)) << R.Name;
  for (const auto& [Name, Font] : Fonts) {
    EXPECT_EQ(ControlNamed(W, Name)->Font()->Name(), FromUtf8(Font)) << Name;
    EXPECT_EQ(ControlNamed(W, Name)->Font()->Charset(), DEFAULT_CHARSET) << Name;
  }
  const std::string English = StateOf(W);

  for (int I = 0; I < 10; ++I) {
    W.btnRussianClick(nullptr);
    EXPECT_EQ(StateOf(W), Russian);
    W.btnEnglishClick(nullptr);
    EXPECT_EQ(StateOf(W), English);
  }
  EXPECT_EQ(W.slng1->Captions()->Count(), 16);
  EXPECT_EQ(W.slng1->Fonts()->Count(), 16);
}

}  // namespace
