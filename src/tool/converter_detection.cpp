// Rescan: list the serial ports and try each one for a converter.

#include <chrono>
#include <thread>

#include "os/port_list.h"
#include "os/serial_port.h"
#include "tool/com_port.h"
#include "tool/converter_banner.h"
#include "tool/exchange.h"
#include "tool/main_window.h"
#include "ui/application.h"

namespace {

const String Quote = u"\"";
const String SerialCommKey = u"HARDWARE\\DEVICEMAP\\SERIALCOMM";

constexpr uint32_t ConverterBaud = 230400;
const RawBytes ConverterWakeUp("\xC8\x0D\xC8\x0D", 4);
constexpr int BannerWaitMs = 220;
constexpr uint32_t BannerMinBytes = 10;
constexpr int FallbackPortCount = 16;  // COM1 to COM16 when the port list is empty

// The value names of the port list key, each with its data; empty when the key is absent.
std::vector<TSerialCommValue> ReadPortKey(const String& Key) {
  return Key == SerialCommKey ? GetSerialCommValues() : std::vector<TSerialCommValue>();
}

// Wakes the converter and reads its mode from its banner; -1 when no banner came.
int ConverterModeOf(TSerialPort& Port, const String& BannerMark, const String& ModeWord) {
  Port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);
  Port.Write(ConverterWakeUp);
  const auto Answered = std::chrono::steady_clock::now() + std::chrono::milliseconds(BannerWaitMs);
  // The converter takes its time to answer; the program may use it (to build its window, say).
  Application().Idle();
  std::this_thread::sleep_until(Answered);
  uint32_t Queued = 0;
  if (!Port.QueuedBytes(Queued) || Queued < BannerMinBytes) return -1;
  RawBytes Bytes;
  Port.Read(Bytes, Queued);
  return ConverterMode(Bytes, BannerMark, ModeWord);
}

}  // namespace

void TfmMain::btCOMrescanClick(TObject* Sender) {
  cbPort->Items()->Clear();
  cbPort->SetText(u"");
  int Mode = -1;
  Memo1->Lines()->Clear();
  Application().ProcessMessages();

  // Every name below is opened through the list read here, not through a fresh listing each.
  const TPortListSnapshot Listed;
  std::vector<TSerialCommValue> Values = ReadPortKey(Text(u"IDS_84"));
  if (Values.empty())
    for (int I = 1; I <= FallbackPortCount; ++I)
      Values.push_back({Text(u"IDS_85") + IntToStr(I), {}, {}});

  for (const TSerialCommValue& Value : Values) {
    const String PortName = Value.Name.starts_with(u"/") ? Value.Name.substr(1) : Value.Data;
    if (PortName.find(u'\\') != String::npos) {
      AddLine(Text(u"IDS_86") + Value.Name + Quote + u" -> " + Quote + PortName + Quote);
      continue;
    }
    String Line = PortName;
    TSerialPort Port;
    const TPortSetUp SetUp = SetUpPort(Port, PortName, ConverterBaud, 0);
    if (SetUp == TPortSetUp::psCannotOpen) {
      AddLine(Line + Text(u"IDS_94"));
      continue;
    }
    bool Usable = false;
    if (SetUp == TPortSetUp::psCannotSetSpeed) {
      Line += Text(u"IDS_87");
    } else {
      Usable = true;
      Mode = ConverterModeOf(Port, Text(u"IDS_89"), Text(u"IDS_90"));
    }
    // A port whose device went away while it was tried is no converter, whatever it said.
    if (Port.Gone()) {
      Usable = false;
      Line += u" (Bad)- " + Text(u"IDS_137");
    }
    Port.Close();
    if (Usable) {
      if (Mode < 1) {
        cbPort->Items()->Add(PortName);
        if (Mode == 0) Line += Text(u"IDS_91");
        if (Mode == -1) Line += Text(u"IDS_92");
      } else {
        Line += Text(u"IDS_93");
      }
    }
    AddLine(Line);
  }

  if (cbPort->Items()->Count() == 0) {
    AddLine(Text(u"IDS_97"));
  } else {
    cbPort->SetItemIndex(0);
    AddLine(sLineBreak + Text(u"IDS_95") + IntToStr(cbPort->Items()->Count()) + Text(u"IDS_96"));
  }
  if (Sender && cbPort->CanFocus()) cbPort->SetFocus();
}
