#include "tool/log_file.h"

#include <fcntl.h>
#include <unistd.h>

#include "core/code_page.h"
#include "core/date_time.h"
#include "core/stream.h"
#include "os/file_version.h"
#include "tool/main_window.h"

namespace {

// Closes the log on every way out of WriteLog.
class TLogHandle {
 public:
  explicit TLogHandle(const std::string& Path)
      : FFd(open(Path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {}
  ~TLogHandle() {
    if (FFd >= 0) close(FFd);
  }
  TLogHandle(const TLogHandle&) = delete;
  TLogHandle& operator=(const TLogHandle&) = delete;
  int Fd() const { return FFd; }

 private:
  int FFd;
};

}  // namespace

void WriteLog(const AnsiString& Text) {
  if (!fmMain || !fmMain->ppmWriteLogInfo || !fmMain->ppmWriteLogInfo->Checked()) return;
  const String Path = ExtractFilePath(ProgramFileName()) + fmMain->Text(u"IDS_0");
  const TLogHandle Log(ToUtf8(Path));
  if (Log.Fd() < 0) return;
  const String Line =
      FormatDateTime(fmMain->Text(u"IDS_1"), Now()) + AnsiToString(Text) + sLineBreak;
  const AnsiString Bytes = StringToAnsi(Line);
  // The number of bytes written is not checked: a full disk loses the line, nothing else.
  [[maybe_unused]] const ssize_t Written = write(Log.Fd(), Bytes.data(), Bytes.size());
}

String GetAppVersion() {
  const auto Words = ReadFileVersion(ProgramFileName());
  if (!Words) return {};
  return IntToStr((*Words)[0]) + u"." + IntToStr((*Words)[1]) + u"." + IntToStr((*Words)[2]) +
         u"." + IntToStr((*Words)[3]);
}
