// Rescan: list the serial ports and try each one for a converter.
#include <chrono>
#include <thread>

#include "os/port_list.h"
#include "os/serial_port.h"
#include "tool/converter_banner.h"
#include "tool/main_window.h"
#include "ui/application.h"

namespace {

const String Quote = u"\"";
const String SerialCommKey = u"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// The value names of the port list key, each with its data; empty when the key is absent.
std::vector<TSerialCommValue> ReadPortKey(const String& Key) {
  return Key == SerialCommKey ? GetSerialCommValues() : std::vector<TSerialCommValue>();
}

}  // namespace

void TfmMain::btCOMrescanClick(TObject* Sender) {
  cbPort->Items()->Clear();
  cbPort->SetText(u"");
  int Mode = -1;
  Memo1->Lines()->Clear();
  Application().ProcessMessages();

  std::vector<TSerialCommValue> Values = ReadPortKey(Text(u"IDS_84"));
  if (Values.empty())
    for (int I = 1; I <= 16; ++I) Values.push_back({Text(u"IDS_85") + IntToStr(I), {}, {}});

  for (const TSerialCommValue& Value : Values) {
    const String PortName = Value.Name.starts_with(u"/") ? Value.Name.substr(1) : Value.Data;
    if (PortName.find(u'\\') != String::npos) {
      AddLine(Text(u"IDS_86") + Value.Name + Quote + u" -> " + Quote + PortName + Quote);
      continue;
    }
    String Line = PortName;
    TSerialPort Port;
    if (!Port.Open(u"\\\\.\\" + PortName, false)) {
      AddLine(Line + Text(u"IDS_94"));
      continue;
    }
    bool Usable = false;
    [&] {
      TDCB Dcb;
      Port.GetState(Dcb);
      Dcb.BaudRate = 230400;
      Dcb.ByteSize = 8;
      Dcb.Parity = NOPARITY;
      Dcb.StopBits = ONESTOPBIT;
      Dcb.ErrorChar = 0;
      Dcb.Flags = DCB_BINARY;
      if (!Port.SetState(Dcb)) {
        Line += Text(u"IDS_87");
        return;
      }
      Usable = true;
      Mode = -1;
      TCommTimeouts Timeouts;
      Port.GetTimeouts(Timeouts);
      Timeouts.ReadIntervalTimeout = MAXDWORD;
      Timeouts.ReadTotalTimeoutMultiplier = 0;
      Timeouts.ReadTotalTimeoutConstant = 0;
      if (!Port.SetTimeouts(Timeouts)) {
        Line += Text(u"IDS_88");
        return;
      }
      Port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);
      Port.ClearErrors();
      Port.Write(RawBytes("\xC8\x0D\xC8\x0D", 4));
      std::this_thread::sleep_for(std::chrono::milliseconds(220));
      uint32_t Queued = 0;
      if (!Port.QueuedBytes(Queued) || Queued < 10) return;
      RawBytes Bytes;
      Port.Read(Bytes, Queued);
      Mode = ConverterMode(Bytes, Text(u"IDS_89"), Text(u"IDS_90"));
    }();
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
