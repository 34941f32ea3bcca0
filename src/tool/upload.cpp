// Uploading the loaded firmware image through the controller's boot loader.

#include "core/code_page.h"
#include "tool/commands.h"
#include "tool/exchange.h"
#include "tool/loader_messages.h"
#include "tool/main_window.h"
#include "tool/unit_state.h"
#include "ui/application.h"

namespace {

constexpr int RestartTries = 21;
// A loader that only ever synchronizes is not coming back: the upload cannot be stopped, so it
// ends rather than hold the window.
constexpr int MaxSyncsInRow = 16;
constexpr int BusyPause = 120;  // ms before asking a busy loader again

const char16_t* ResultKey(uint8_t Code) {
  switch (Code) {
    case 0:
      return u"IDS_72";
    case 1:
      return u"IDS_73";
    case 2:
      return u"IDS_74";
    case 3:
      return u"IDS_75";
    case 10:
      return u"IDS_76";
    case 11:
      return u"IDS_77";
    default:
      return nullptr;
  }
}

}  // namespace

String TfmMain::UploadResultText(uint8_t Code) const {
  const char16_t* Key = ResultKey(Code);
  const String Text = Key ? this->Text(Key) : this->Text(u"IDS_78") + IntToStr(Code) + u"]";
  return Code == 0 ? Text : this->Text(u"IDS_79") + Text;
}

void TfmMain::ShowProgress(const String& Progress) {
  TStrings& Lines = *Memo1->Lines();
  Lines.BeginUpdate();
  const int Last = Lines.Count() - 1;
  if (Last >= 0 && Lines.Get(Last).find(Text(u"IDS_67")) != String::npos)
    Lines.Put(Last, Progress);
  else
    Lines.Add(Progress);
  Lines.EndUpdate();
}

void TfmMain::btProgClick(TObject*) {
  if (Memo1->CanFocus()) Memo1->SetFocus();
  Memo1->Lines()->Clear();
  Application().ProcessMessages();
  if (stmFirmWare->Size() == 0) {
    AddLine(Text(u"IDS_48"));
    return;
  }
  RunOnLine([this] { Upload(); });
}

void TfmMain::Upload() {
  ApplyCheckPortMode();
  TComHandle hc = OpenComInMode();
  if (!hc.Valid()) return;
  const uint16_t SN = static_cast<uint16_t>(seSN->Value());
  RawBytes A = ExPack(hc, InfoBySN(CmdPrefix, SN), AnswerWait);
  if (IsNoAnswer(A) && CmdPrefix == 0x20) {
    oComMode = ComModeFast;
    for (int Try = 0; Try < 2 && IsNoAnswer(A); ++Try) {
      hc.Close();
      hc = OpenComInMode();
      if (!hc.Valid()) return;
      A = ExPack(hc, InfoBySN(CmdPrefix, SN), AnswerWait);
    }
    if (A.empty()) {
      AddLine(Text(u"IDS_5"));
      return;
    }
  }
  TInfoAnswer Info = DecodeInfo(A);
  if (!Info.Valid) {
    AddLine(Text(u"IDS_51"));
    return;
  }
  AddTypeAndVersion(Info);

  if (Info.LoaderActive) {
    AddLine(Text(u"IDS_37"));
  } else {
    ExPack(hc, LoaderCommand(CmdPrefix, SN, "PROG"), AnswerWait);
    Application().ProcessMessages();
    SleepMs(100);
    Application().ProcessMessages();
    hc.Port().Purge(PURGE_RXCLEAR);
    Info = DecodeInfo(ExPack(hc, InfoBySN(CmdPrefix, SN), AnswerWait));
    if (!Info.Valid) {
      AddLine(Text(u"IDS_51"));
      return;
    }
    if (!Info.LoaderActive) {
      AddLine(Text(u"IDS_57"));
      return;
    }
    AddLine(Text(u"IDS_58"));
  }

  if (Transfer(hc, SN)) RestartCheck(hc, SN);
}

bool TfmMain::Transfer(TComHandle& hc, uint16_t SN) {
  const RawBytes Next = LoaderCommand(CmdPrefix, SN, StringToAnsi(Text(u"IDS_61")));
  const AnsiString Boot = StringToAnsi(Text(u"IDS_63"));
  const std::string& Block = stmFirmWare->Bytes();
  RawBytes A = ExPack(hc, LoaderCommand(CmdPrefix, SN, StringToAnsi(Text(u"IDS_55"))), AnswerWait);
  Log(Text(u"IDS_60") + IntToStr(SN));
  int Syncs = 0;
  for (;;) {
    const TLoaderMessage M = DecodeLoaderMessage(A, Boot);
    Syncs = M.Kind == TLoaderKind::lkSync ? Syncs + 1 : 0;
    switch (M.Kind) {
      case TLoaderKind::lkSync:
        if (Syncs > MaxSyncsInRow) {
          AddLine(Text(u"IDS_5"));
          return false;
        }
        A = ExPack(hc, Next, AnswerWait);
        AddLine(Text(u"IDS_62"));
        Application().ProcessMessages();
        break;
      case TLoaderKind::lkStart:
        AddLine(Text(u"IDS_65"));
        A = ExPack(hc, Next, AnswerWait);
        break;
      case TLoaderKind::lkData: {
        const uint32_t N = ImageLength(Block);
        if (uint64_t(M.Offset) + M.Count > N) {
          AddLine(Text(u"IDS_68") + ProgFile + Text(u"IDS_69"));
          return false;
        }
        const RawBytes Reply = A.substr(0, LoaderRequestSize) + Block.substr(M.Offset + 4, M.Count);
        ShowProgress(Text(u"IDS_66") + IntToStr(uint64_t(M.Offset) * 100 / N) + u"%");
        Application().ProcessMessages();
        A = ExPack(hc, Reply, AnswerWait);
        break;
      }
      case TLoaderKind::lkName: {
        if (Memo1->Lines()->Count() > 0)
          Memo1->Lines()->Put(Memo1->Lines()->Count() - 1, Text(u"IDS_70"));
        else
          AddLine(Text(u"IDS_70"));
        Application().ProcessMessages();
        const RawBytes Reply =
            A.substr(0, LoaderRequestSize) + StringToAnsi(ExtractFileName(ProgFile));
        A = ExPack(hc, Reply, AnswerWait);
        break;
      }
      case TLoaderKind::lkBusy:
        // The loader is busy erasing or writing: left now, the controller may stay without
        // firmware, so it is asked again for as long as it is busy. Only the end of the program
        // (its window closed) leaves it.
        Application().ProcessMessages();
        SleepMs(BusyPause);
        Application().ProcessMessages();
        if (Application().Terminated()) return false;
        A = ExPack(hc, Next, AnswerWait);
        break;
      case TLoaderKind::lkResult: {
        const String Result = UploadResultText(M.Code);
        AddLine(Result);
        Log(Result);
        return true;
      }
      case TLoaderKind::lkSilent:
        AddLine(Text(u"IDS_5"));
        return false;
      case TLoaderKind::lkOther:
        AddLine(Text(u"IDS_51"));
        return false;
    }
  }
}

void TfmMain::RestartCheck(TComHandle& hc, uint16_t SN) {
  AddLine(Text(u"IDS_80"));
  Application().ProcessMessages();
  SleepMs(1000);
  const uint8_t NA = static_cast<uint8_t>(seNetAdr->Value());
  for (int Try = 0; Try < RestartTries; ++Try) {
    const RawBytes A = ExPack(hc, GetAddrBySN(CmdPrefix, SN), AnswerWait);
    if (A.size() != 6) {
      SleepMs(200);
      continue;
    }
    AddLine(Text(u"IDS_81"));
    if (NA != AnswerByte(A, 5)) {
      ExPack(hc, SetAddrBySN(CmdPrefix, SN, NA), AnswerWait);
      ExPack(hc, OpenDoor(NA), AnswerWait);
      AddLine(Text(u"IDS_82"));
    }
    return;
  }
  AddLine(Text(u"IDS_83"));
}
