// Giving a controller a new network address by its serial number, and opening the door of the
// controller at an address.
#include <algorithm>

#include "core/code_page.h"
#include "tool/commands.h"
#include "tool/exchange.h"
#include "tool/main_window.h"
#include "tool/unit_state.h"
#include "ui/application.h"
#include "ui/dialogs.h"

namespace {

constexpr int LowestAddress = 1;
constexpr int HighestAddress = 254;

// The input read as a decimal number; -1 when it is not one (hexadecimal included).
int DecimalOrInvalid(const AnsiString& Input) {
  const size_t Digits = Input.starts_with('-') || Input.starts_with('+') ? 1 : 0;
  if (Input.size() == Digits || !std::all_of(Input.begin() + Digits, Input.end(),
                                             [](char C) { return C >= '0' && C <= '9'; }))
    return -1;
  return StrToIntDef(AnsiToString(Input), -1);
}

void ErrorDialog(const String& Text) {
  MessageDlg(Text, mtError, {mbOK}, 0);
}

}  // namespace

void TfmMain::ApplyLinkPortMode() {
  if (oComMode != ComModeFast) oComMode = ComModeSlow;
}

void TfmMain::btSetNewNAClick(TObject*) {
  const AnsiString Input =
      StringToAnsi(InputBox(Text(u"IDS_16"), Text(u"IDS_17"), IntToStr(seNetAdr->Value())));
  if (Input.empty() || Input == "0") return;
  ClearOutput();
  Application().ProcessMessages();
  const int NewAddress = DecimalOrInvalid(Input);
  if (NewAddress < LowestAddress || NewAddress > HighestAddress) {
    ErrorDialog(Text(u"IDS_18") + AnsiToString(Input) + u"\"!");
    return;
  }
  RunOnLine([this, NewAddress] { SetNewAddress(static_cast<uint8_t>(NewAddress)); });
}

void TfmMain::SetNewAddress(uint8_t NewAddress) {
  ApplyLinkPortMode();
  TComHandle hc = OpenComInMode();
  if (!hc.Valid()) return;
  const uint16_t SN = static_cast<uint16_t>(seSN->Value());
  const TInfoAnswer Info = DecodeInfo(ExPack(hc, InfoBySN(CmdPrefix, SN), AnswerWait));
  if (!Info.Valid) {
    AddLine(Text(u"IDS_5"));
    return;
  }
  if (Info.LoaderActive) {
    ErrorDialog(Text(u"IDS_20"));
    return;
  }
  if (Info.NetAddr == NewAddress) {
    AddLine(Text(u"IDS_21"));
    return;
  }
  // Anything but silence at the new address, even a garbled answer, means a device holds it.
  if (!IsNoAnswer(ExPack(hc, AddrProbe(NewAddress), AnswerWait))) {
    ErrorDialog(Text(u"IDS_22"));
    AddLine(Text(u"IDS_22"));
    return;
  }
  const RawBytes a = ExPack(hc, SetAddrBySN(CmdPrefix, SN, NewAddress), SetAddressWait);
  if (IsNoAnswer(a)) {
    AddLine(Text(u"IDS_24"));
    return;
  }
  const auto Taken = DecodeAddress(a);
  if (!Taken) {
    AddLine(Text(u"IDS_25"));
    return;
  }
  if (*Taken != NewAddress) {
    AddLine(Text(u"IDS_26"));
    return;
  }
  const String Changed =
      Text(u"IDS_27") + IntToStr(seNetAdr->Value()) + Text(u"IDS_28") + IntToStr(NewAddress) + u".";
  AddLine(Changed);
  Log(Changed);
  seNetAdr->SetValue(NewAddress);
}

void TfmMain::btIdentifyClick(TObject*) {
  ClearOutput();
  AddLine(Text(u"IDS_98"));
  Application().ProcessMessages();
  RunOnLine([this] {
    ApplyLinkPortMode();
    TComHandle hc = OpenComInMode();
    if (!hc.Valid()) return;
    // The answer is not looked at: the line only says that the command went out.
    ExPack(hc, OpenDoor(static_cast<uint8_t>(seNetAdr->Value())), AnswerWait);
    AddLine(Text(u"IDS_82"));
  });
}
