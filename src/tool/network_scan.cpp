#include "tool/network_scan.h"

#include "core/code_page.h"
#include "tool/commands.h"
#include "tool/exchange.h"
#include "tool/main_window.h"
#include "tool/owed_answers.h"
#include "tool/unit_state.h"
#include "ui/application.h"

namespace {

constexpr uint16_t TopSerial = 0xFFFF;
constexpr uint16_t FirstWindowHigh = 0x7FFF;
constexpr uint32_t ProbeWait = 100;  // ms for the first byte of any answer to a probe
constexpr int ProbePause = 20;       // ms after each probe
constexpr int LastAddress = 255;
constexpr size_t MaxNetDevices = 200;
constexpr int NetCountTries = 100;
constexpr int NotReadyPause = 100;  // ms before asking a device that is not ready again
constexpr size_t NetAnswer = 6;     // the ready flag and count, or an item's serial number

String Quoted(int64_t V) {
  return u" \"" + IntToStr(V) + u"\".";
}

uint16_t SerialAt(const RawBytes& a, size_t k) {
  return static_cast<uint16_t>(AnswerByte(a, k) + 256 * AnswerByte(a, k + 1));
}

}  // namespace

uint8_t ScanIdle = 1;

void NextRange(TScanWindow& Window, int Step) {
  uint16_t& L = Window.Low;
  uint16_t& H = Window.High;
  if (Step > 0) {
    const uint16_t N = static_cast<uint16_t>(H + 1);
    if (H == L) --L;
    uint16_t Width = static_cast<uint16_t>(H - L);
    L = N;
    if (Step == RangeWider) Width = static_cast<uint16_t>(Width << 3);
    H = static_cast<uint16_t>(N + Width);
    if (H <= L) H = TopSerial;
  }
  if (Step < 2) H = static_cast<uint16_t>((uint32_t{H} + uint32_t{L}) / 2);
  if (H < L) H = TopSerial;
}

bool TNetworkScan::Open() {
  FPort = W.OpenComInMode();
  return FPort.Valid();
}

void TNetworkScan::Run() {
  W.AddLine(W.Text(u"IDS_133"));
  W.Log(W.Text(u"IDS_134"));
  FWindow = {0, FirstWindowHigh};
  FInHit = false;
  FDevices.clear();
  RangeSearch();
  if (FFound == 0) {
    if (CmdPrefix == NormalPrefix) DirectScan();
    return;
  }
  // Devices reported while listing one are queued behind it and listed in the same run.
  for (size_t I = 0; I < FDevices.size(); ++I) ScanNetDevice(FDevices[I]);
}

bool TNetworkScan::SendProbe(const RawBytes& Frame) {
  // An answer a slow controller still owes would make a hit of its own.
  SettleOwedAnswers(FPort);
  TSerialPort& Port = FPort.Port();
  Port.Purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  if (!Frame.empty()) Port.Write(Frame);
  Port.SetMask(EV_RXCHAR);
  uint32_t Events = 0;
  const TWaitResult Wait = Port.WaitEvent(Events, ProbeWait);
  uint32_t Queued = 0;
  Port.QueuedBytes(Queued);
  FPort.CheckLine();
  // Several controllers answering at once collide on the line: any byte at all is a hit.
  if (Queued > 0) {
    RawBytes Discarded;
    Port.Read(Discarded, Queued);
  }
  return Wait == TWaitResult::wrSignaled || Queued > 0;
}

void TNetworkScan::RangeSearch() {
  TScanWindow& Win = FWindow;
  for (;;) {
    const bool Hit = SendProbe(W.GetPack(RangeProbe(CmdPrefix, Win.Low, Win.High)));
    SleepMs(ProbePause);
    if (StopRequested()) return;
    if (Hit) {
      FInHit = true;
      if (Win.Low == Win.High) {
        ReportController();
        if (Win.Low == TopSerial) return;
        FInHit = false;
        NextRange(Win, RangeWider);
      } else {
        NextRange(Win, RangeLowerHalf);
      }
      continue;
    }
    if (Win.High == TopSerial) return;
    if (Win.Low == Win.High) FInHit = false;
    NextRange(Win, FInHit ? RangeNextHalf : RangeWider);
  }
}

void TNetworkScan::ReportController() {
  try {
    QueryController();
  } catch (const ELineGone&) {
    throw;
  } catch (const std::exception&) {
    // A controller that cannot be reported is left out; the search goes on above it.
  }
}

void TNetworkScan::QueryController() {
  const uint16_t SN = FWindow.Low;
  const TInfoAnswer Info = DecodeInfo(W.ExPack(FPort, InfoBySN(CmdPrefix, SN), AnswerWait));
  if (!Info.Valid) return;
  ++FFound;
  W.AddLine(u" ");
  String First = u"#" + IntToStr(FFound);
  if (Info.LoaderActive || !Info.HasAddress)
    First += u" Active bootloader.";
  else
    First += String(u" Network Address is") + Quoted(Info.NetAddr);
  W.AddLine(First + u" Serial number is" + Quoted(SN));
  W.Log(W.Text(u"IDS_10") + IntToHex(Info.Type, 2) + W.Text(u"IDS_11") + IntToStr(Info.NetAddr) +
        W.Text(u"IDS_12") + IntToStr(SN) + u".");
  W.AddLine(W.Text(u"IDS_122") + IntToHex(Info.Type, 2) + W.Text(u"IDS_123") +
            IntToHex(Info.VersionMajor, 2) + u"." + IntToHex(Info.VersionMinor, 2));
  if (Info.LoaderActive) return;
  // Devices beyond the queue's size are not listed.
  if (Info.Type == NetworkDeviceType && FDevices.size() < MaxNetDevices) FDevices.push_back(SN);
  const auto Line = DecodeTextLine(W.ExPack(FPort, TextLine(CmdPrefix, SN, 1), AnswerWait));
  if (Line && !Line->empty()) W.AddLine(u"   " + AnsiToString(*Line));
}

void TNetworkScan::DirectScan() {
  W.oComMode = ComModeFast;
  FPort.Close();
  if (!Open()) return;
  W.AddLine(W.Text(u"IDS_127"));
  W.Log(W.Text(u"IDS_127"));
  W.AddLine(u" ");
  for (int A = 1; A <= LastAddress; ++A) {
    ReplaceLastLine(W.Text(u"IDS_129") + IntToStr(A));
    if (StopRequested()) break;
    const RawBytes a = W.ExPack(FPort, InfoByAddr(CmdPrefix, static_cast<uint8_t>(A)), AnswerWait);
    const TInfoAnswer Info = DecodeInfo(a);
    if (!Info.HasSerial) continue;
    TStrings& Lines = *W.Memo1->Lines();
    if (Lines.Count() > 0) Lines.Delete(Lines.Count() - 1);
    FWindow.Low = Info.SerialNumber;
    ReportController();
    W.AddLine(u" ");
  }
  ReplaceLastLine(u" ");
}

void TNetworkScan::ScanNetDevice(uint16_t SN) {
  W.Log(W.Text(u"IDS_130") + IntToStr(SN));
  for (int Try = 1; Try <= NetCountTries; ++Try) {
    const RawBytes a = W.ExPack(FPort, NetCount(SN), AnswerWait);
    if (a.size() < NetAnswer) return;
    if (AnswerByte(a, 4) == 0) {
      SleepMs(NotReadyPause);
      if (StopRequested()) return;
      continue;
    }
    const int Count = AnswerByte(a, 5);
    if (Count == 0) {
      W.AddLine(String(u" No controllers are connected to the") + W.Text(u"IDS_131") +
                IntToStr(SN));
      return;
    }
    for (int I = 1; I <= Count; ++I) {
      const RawBytes Item = W.ExPack(FPort, NetItem(SN, static_cast<uint8_t>(I)), AnswerWait);
      if (StopRequested()) return;
      // An item that brought no serial number names no controller.
      if (Item.size() < NetAnswer) continue;
      FWindow.Low = SerialAt(Item, 4);
      ReportController();
    }
    return;
  }
}

bool TNetworkScan::StopRequested() {
  Application().ProcessMessages();
  // A window closed meanwhile ends the program: the scan stops as if the button was pressed,
  // rather than keep the program alive for minutes.
  if (Application().Terminated()) ScanIdle = 1;
  return ScanIdle != 0;
}

void TNetworkScan::ReplaceLastLine(const String& Line) {
  TStrings& Lines = *W.Memo1->Lines();
  // The technician may have cleared the pane meanwhile (a double click).
  if (Lines.Count() == 0)
    Lines.Add(Line);
  else
    Lines.Put(Lines.Count() - 1, Line);
}

void TfmMain::btScanCtrlClick(TObject*) {
  if (ScanIdle == 0) {
    ScanIdle = 1;
    return;
  }
  ScanIdle = 0;
  btCheckNetAddr->SetCaption(Text(u"IDS_132"));
  ClearOutput();
  Application().ProcessMessages();
  TNetworkScan Scan(*this);
  // A scan that a lost line or an error cut short did not complete, though nobody stopped it.
  const auto Closing = [&](bool Finished) {
    Scan.Close();
    AddLine(u"");
    const String Last = Text(ScanIdle != 0 || !Finished ? u"IDS_141" : u"IDS_142");
    AddLine(Last);
    Log(Last);
    ScanIdle = 1;
    // The field may have changed while the scan ran: the button names what pressing it does.
    seNetAdrChange(nullptr);
  };
  bool Finished = false;
  try {
    oComMode = ComModeSlow;
    Finished = RunOnLine([&] {
      if (Scan.Open()) Scan.Run();
    });
  } catch (...) {
    Closing(false);
    throw;
  }
  Closing(Finished);
}
