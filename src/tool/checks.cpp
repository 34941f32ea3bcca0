// Checking one controller by its network address or by its serial number.
#include <algorithm>

#include "core/code_page.h"
#include "tool/commands.h"
#include "tool/exchange.h"
#include "tool/main_window.h"
#include "tool/unit_state.h"
#include "ui/application.h"

namespace {

// The check by serial number lists at most this many text lines.
constexpr int MaxTextLinesBySN = 30;
// The fall-back to the fast mode lets the purge settle before it closes the port, and the
// converter rest before it opens the port again.
constexpr int PurgeSettleMs = 20;
constexpr int ReopenPauseMs = 100;

}  // namespace

void TfmMain::CheckPrologue() {
  ClearOutput();
  AddLine(Text(u"IDS_3"));
  Application().ProcessMessages();
}

void TfmMain::ApplyCheckPortMode() {
  if (oComMode != ComModeFast || CmdPrefix == HotelPrefix) oComMode = ComModeSlow;
}

void TfmMain::AddTypeAndVersion(const TInfoAnswer& Info) {
  AddLine(Text(u"IDS_7") + IntToHex(Info.Type, 2));
  AddLine(Text(u"IDS_8") + IntToStr(Info.VersionMajor) + u"." + IntToStr(Info.VersionMinor));
}

void TfmMain::LogDetection(const TInfoAnswer& Info) {
  Log(Text(u"IDS_10") + IntToHex(Info.Type, 2) + Text(u"IDS_11") + IntToStr(Info.NetAddr) +
      Text(u"IDS_12") + IntToStr(seSN->Value()) + u".");
}

bool TfmMain::AddMemoryLines(TComHandle& hc, uint8_t NA) {
  const TMemInfoAnswer Mem = DecodeMemInfo(ExPack(hc, MemInfo(NA), AnswerWait));
  if (!Mem.Valid) {
    AddLine(Text(u"IDS_5"));
    return false;
  }
  AddLine(Text(u"IDS_13") + IntToStr(Mem.MemoryKb) + Text(u"IDS_14"));
  if (Mem.Weigand) AddLine(Text(u"IDS_15"));
  return true;
}

void TfmMain::btCheckNetAddrClick(TObject*) {
  // Address 0 names no controller: the button starts the network scan there instead.
  if (seNetAdr->Value() == 0) {
    btScanCtrlClick(nullptr);
    return;
  }
  CheckPrologue();
  RunOnLine([this] { CheckByAddress(); });
}

void TfmMain::btCheckSNClick(TObject*) {
  CheckPrologue();
  RunOnLine([this] { CheckBySN(); });
}

// A missing or short answer is never shown as a value: such a check ends with "Not answer" (or
// the failure text of its step) and leaves the fields as they were.
void TfmMain::CheckByAddress() {
  ApplyCheckPortMode();
  TComHandle hc = OpenComInMode();
  if (!hc.Valid()) return;
  const uint8_t NA = static_cast<uint8_t>(seNetAdr->Value());
  Log(Text(u"IDS_4") + IntToStr(NA));
  RawBytes a = ExPack(hc, InfoByAddr(CmdPrefix, NA), AnswerWait);
  if (IsNoAnswer(a) && CmdPrefix == NormalPrefix) {
    oComMode = ComModeFast;
    hc.Port().Purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    SleepMs(PurgeSettleMs);
    hc.Close();
    SleepMs(ReopenPauseMs);
    hc = OpenComInMode();
    if (!hc.Valid()) return;
    a = ExPack(hc, InfoByAddr(CmdPrefix, NA), AnswerWait);
  }
  const TInfoAnswer Info = DecodeInfo(a);
  if (!Info.Valid) {
    oComMode = ComModeSlow;
    AddLine(Text(u"IDS_5"));
    Log(Text(u"IDS_5"));
    return;
  }
  Memo1->Lines()->Clear();
  AddTypeAndVersion(Info);
  if (!Info.HasSerial) {
    AddLine(Text(u"IDS_5"));
    Log(Text(u"IDS_5"));
    return;
  }
  seSN->SetValue(Info.SerialNumber);
  AddLine(Text(u"IDS_9") + IntToStr(seSN->Value()));
  LogDetection(Info);
  const int Lines = Info.Lines;
  if (!AddMemoryLines(hc, NA)) return;
  AddLine(u"");
  Application().ProcessMessages();
  for (int I = 1; I <= Lines; ++I) {
    const auto Line = DecodeTextLine(
        ExPack(hc, TextLine(CmdPrefix, static_cast<uint16_t>(seSN->Value()), I), AnswerWait));
    if (!Line) {
      AddLine(Text(u"IDS_5"));
      return;
    }
    AddLine(u">> " + AnsiToString(*Line));
  }
}

void TfmMain::CheckBySN() {
  ApplyCheckPortMode();
  TComHandle hc = OpenComInMode();
  if (!hc.Valid()) return;
  const uint16_t SN = static_cast<uint16_t>(seSN->Value());
  Log(Text(u"IDS_32") + IntToStr(SN));
  RawBytes a = ExPack(hc, InfoBySN(CmdPrefix, SN), AnswerWait);
  if (IsNoAnswer(a) && CmdPrefix == NormalPrefix) {
    oComMode = ComModeFast;
    hc.Close();
    hc = OpenComInMode();
    if (!hc.Valid()) return;
    a = ExPack(hc, InfoBySN(CmdPrefix, SN), AnswerWait);
    if (a.empty()) {
      oComMode = ComModeSlow;
      AddLine(Text(u"IDS_5"));
      return;
    }
  }
  const TInfoAnswer Info = DecodeInfo(a);
  if (!Info.Valid) {
    AddLine(Text(u"IDS_5"));
    return;
  }
  Memo1->Lines()->Clear();
  AddTypeAndVersion(Info);
  if (Info.LoaderActive) {
    AddLine(Text(u"IDS_37"));
    Log(Text(u"IDS_37"));
    return;
  }
  LogDetection(Info);
  const int Lines = std::min<int>(Info.Lines, MaxTextLinesBySN);
  const auto Address = DecodeAddress(ExPack(hc, GetAddrBySN(CmdPrefix, SN), AnswerWait));
  if (!Address) {
    AddLine(Text(u"IDS_42"));
    return;
  }
  seNetAdr->SetValue(*Address);
  AddLine(Text(u"IDS_43") + IntToStr(seNetAdr->Value()));
  if (!AddMemoryLines(hc, static_cast<uint8_t>(seNetAdr->Value()))) return;
  AddLine(u"");
  Application().ProcessMessages();
  for (int I = 1; I <= Lines; ++I) {
    const auto Line = DecodeTextLine(ExPack(hc, TextLine(CmdPrefix, SN, I), AnswerWait));
    if (!Line || Line->empty()) {
      AddLine(Text(u"IDS_47"));
      break;
    }
    AddLine(AnsiToString(*Line));
  }
}
