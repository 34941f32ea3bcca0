#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/code_page.h"
#include "core/stream.h"

namespace {

bool IsSeparator(char16_t C) {
  return C == u'/' || C == u'\\';
}

String CurrentDir() {
  std::vector<char> Buffer(4096);
  while (!::getcwd(Buffer.data(), Buffer.size())) {
    if (errno != ERANGE) return u"/";
    Buffer.resize(Buffer.size() * 2);
  }
  return Utf8DecodeReplacing(Buffer.data());
}

size_t NameStart(const String& FileName) {
  const size_t Last = FileName.find_last_of(u"/\\");
  return Last == String::npos ? 0 : Last + 1;
}

}  // namespace

bool FileExists(const String& FileName) {
  struct stat Info;
  return !FileName.empty() && ::stat(ToUtf8(FileName).c_str(), &Info) == 0 &&
         !S_ISDIR(Info.st_mode);
}

String ExpandFileName(const String& FileName) {
  if (FileName.empty()) return {};
  const String Full = IsSeparator(FileName[0]) ? FileName : CurrentDir() + u"/" + FileName;
  std::vector<String> Segments;
  size_t Start = 0;
  while (Start <= Full.size()) {
    size_t End = Start;
    while (End < Full.size() && !IsSeparator(Full[End])) ++End;
    const String Segment = Full.substr(Start, End - Start);
    if (Segment == u"..") {
      if (!Segments.empty()) Segments.pop_back();
    } else if (!Segment.empty() && Segment != u".") {
      Segments.push_back(Segment);
    }
    Start = End + 1;
  }
  String Result;
  for (const String& Segment : Segments) Result += u"/" + Segment;
  // A name that ends with a separator names a folder and keeps the separator.
  if (Result.empty() || IsSeparator(FileName.back())) Result += u'/';
  return Result;
}

String ExtractFileExt(const String& FileName) {
  const size_t Dot = FileName.rfind(u'.');
  return Dot == String::npos || Dot < NameStart(FileName) ? String() : FileName.substr(Dot);
}

String ExtractFilePath(const String& FileName) {
  return FileName.substr(0, NameStart(FileName));
}

String ExtractFileName(const String& FileName) {
  return FileName.substr(NameStart(FileName));
}
