// Loading the firmware image file: its description, the confirmation and the firmware block.
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/code_page.h"
#include "os/file_version.h"
#include "tool/main_window.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/open_dialog.h"

namespace {

const String Quote = u"\"";
const String LineBreak = u"\r\n";

// Only a regular file can be read from its end: a pipe or a device would block or never end.
// A name that names nothing is left to the file stream, which says so.
bool IsOtherThanAFile(const String& FileName) {
  std::error_code Error;
  const auto Status = std::filesystem::status(ToUtf8(FileName), Error);
  return std::filesystem::exists(Status) && !std::filesystem::is_regular_file(Status);
}

TImageFile ReadImage(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
  return ReadImageFile(File);
}

}  // namespace

String TfmMain::SerialRangesText(const TImageDescription& D) const {
  String Result;
  for (size_t I = 0; I < D.Ranges.size(); ++I) {
    const TSerialRange R = D.Ranges[I];
    if (R.Last == 0 || R.First == 0xFFFF) continue;
    // The comma goes by the range's place, whether an earlier range was shown or not.
    if (I > 0) Result += u",";
    if (R.First == 1 && R.Last == 0xFFFF)
      Result += Text(u"IDS_108");
    else if (R.First == R.Last)
      Result += IntToStr(R.First);
    else
      Result += u"(" + IntToStr(R.First) + u"-" + IntToStr(R.Last) + u")";
  }
  return Result;
}

bool TfmMain::PutFileInfo(const String& fn) {
  TImageFile Image = IsOtherThanAFile(fn) ? TImageFile{} : ReadImage(fn);
  if (!Image.HasFirmware) {
    MessageDlg(Text(u"IDS_100") + fn + Text(u"IDS_101"), mtError, {mbOK}, 0);
    return false;
  }
  const TImageDescription& D = Image.Description;
  String Description = slng1->GetTextOrDefaultW(u"IDS_104") + u"\r\r\n";
  Description += Text(u"IDS_105") + IntToHex(D.ControllerType, 2) + Text(u"IDS_106") +
                 IntToStr(D.VersionMajor) + u"." + IntToStr(D.VersionMinor) + LineBreak;
  Description += Text(u"IDS_107") + SerialRangesText(D) + LineBreak + LineBreak;
  for (const String& Line : D.Lines) Description += Line + LineBreak;
  ImageInfo = Text(u"IDS_100") + ExtractFileName(fn) + Quote + LineBreak +
              Description.substr(Description.find(u'\n') + 1);
  FShownImage = std::move(Image);
  return MessageDlgPosHelp(Description + LineBreak + Text(u"IDS_112"), mtConfirmation,
                           {mbYes, mbNo}, 0, -1, -1, u"") == mrYes;
}

void TfmMain::ShowImageInfo() {
  Memo1->Lines()->Clear();
  // As an edit control takes a text with line breaks: one line each.
  TStringList Lines;
  Lines.SetText(ImageInfo);
  if (Lines.Count() == 0) Lines.Add(u"");
  Memo1->Lines()->AddStrings(Lines);
}

void TfmMain::ShowImageLoaded() {
  if (ImageInfo.empty()) return;
  const String Suffix = u"  <" + ExtractFileName(ProgFile) + u">";
  const String Now = Caption();
  if (Now.size() < Suffix.size() || Now.compare(Now.size() - Suffix.size(), String::npos, Suffix))
    SetCaption(Now + Suffix);
  btLoadImage->SetCaption(Text(u"IDS_118"));
}

void TfmMain::btLoadImageClick(TObject*) {
  if (!ImageInfo.empty()) {
    ShowImageInfo();
    return;
  }
  TComponentPtr<TOpenDialog> Dialog(new TOpenDialog(&Application()));
  Dialog->SetFilter(u"File with firmware" + Text(u"IDS_115"));
  Dialog->SetDefaultExt(Text(u"IDS_116"));
  Dialog->SetFileName(Text(u"IDS_117"));
  Dialog->SetOptions(OpenOptions({ofReadOnly, ofFileMustExist, ofEnableSizing}));
  Dialog->SetTitle(u"Selecting a file with firmware");
  Dialog->SetInitialDir(ExtractFilePath(ProgramFileName()));
  if (!Dialog->Execute()) {
    ShowImageInfo();
    return;
  }
  const String FileName = Dialog->FileName();
  if (!PutFileInfo(FileName)) {
    ImageInfo.clear();
    FShownImage = TImageFile{};
    return;
  }
  ProgFile = FileName;
  Log(u"Load image " + Quote + FileName + Quote);
  ShowImageLoaded();
  btProg->SetEnabled(true);
  // The firmware of the one reading that was described and confirmed: a file changed or
  // removed since cannot put other firmware behind that description.
  stmFirmWare->Clear();
  stmFirmWare->WriteBytes(FShownImage.Block);
  FShownImage = TImageFile{};
  ShowImageInfo();
}
