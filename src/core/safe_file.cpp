#include "core/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "core/exceptions.h"
#include "core/rtti.h"

const TClassType& TSafeFileStream::StaticClassType() {
  static const TClassType T(u"TSafeFileStream", &TFileStream::StaticClassType());
  return T;
}

namespace {

constexpr int MaxLinks = 40;  // as many links in a row as the kernel follows
constexpr int MaxTries = 100;

String ErrorText(int Error) {
  return FromUtf8(std::strerror(Error));
}

[[noreturn]] void CreateFailed(const String& FileName, int Error) {
  throw EFCreateError(
      Format(u"Cannot create file \"%s\". %s", {ExpandFileName(FileName), ErrorText(Error)}));
}

std::string FolderOf(const std::string& Path) {
  const size_t Slash = Path.rfind('/');
  if (Slash == std::string::npos) return ".";
  return Slash == 0 ? "/" : Path.substr(0, Slash);
}

// Another user's link in a shared sticky folder could send our save into any file we may
// write; the kernel refuses to follow such links, and so do we.
bool MayFollow(const std::string& Folder, const struct stat& Link) {
  struct stat Info;
  if (::stat(Folder.c_str(), &Info) != 0) return false;
  if ((Info.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH)) return true;
  return Link.st_uid == ::geteuid() || Link.st_uid == Info.st_uid;
}

// A name beside Target for a temporary file: Target's name and six random characters, the name
// cut short (at a whole character) where both would not fit in a folder entry, so that every
// name that can be saved at all can also be saved safely.
std::string TempNameBeside(const std::string& Target) {
  static constexpr char Letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 Random{std::random_device{}()};
  const size_t Slash = Target.rfind('/');
  const size_t Start = Slash == std::string::npos ? 0 : Slash + 1;
  size_t Keep = Target.size() - Start;
  if (Keep > NAME_MAX - 7) {
    Keep = NAME_MAX - 7;
    while (Keep > 0 && (static_cast<unsigned char>(Target[Start + Keep]) & 0xC0) == 0x80) --Keep;
  }
  std::string Name = Target.substr(0, Start + Keep) + ".";
  for (int I = 0; I < 6; ++I) Name += Letters[Random() % (sizeof Letters - 1)];
  return Name;
}

// Creates a named temporary file beside Target; -1 with errno when none can be made.
int CreateNamed(const std::string& Target, mode_t Mode, std::string& Path) {
  for (int Try = 0; Try < MaxTries; ++Try) {
    Path = TempNameBeside(Target);
    const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Mode);
    if (Fd >= 0) return Fd;
    if (errno != EEXIST) break;
  }
  const int Error = errno;
  Path.clear();
  errno = Error;
  return -1;
}

// The name under which an unnamed file can be linked into its folder.
std::string ProcName(int Fd) {
  return "/proc/self/fd/" + std::to_string(Fd);
}

}  // namespace

std::string SaveTargetPath(const String& FileName) {
  const std::string Path = ToUtf8(FileName);
  std::string Target = Path;
  struct stat Info;
  for (int Links = 0; ::lstat(Target.c_str(), &Info) == 0 && S_ISLNK(Info.st_mode); ++Links) {
    const std::string Folder = FolderOf(Target);
    if (Links == MaxLinks) CreateFailed(FileName, ELOOP);
    if (!MayFollow(Folder, Info)) CreateFailed(FileName, EACCES);
    char To[PATH_MAX];
    const ssize_t N = ::readlink(Target.c_str(), To, sizeof To);
    if (N < 0) CreateFailed(FileName, errno);
    if (static_cast<size_t>(N) == sizeof To) CreateFailed(FileName, ENAMETOOLONG);
    Target = To[0] == '/' ? std::string(To, N) : Folder + "/" + std::string(To, N);
  }
  // A link to nothing is replaced itself, as it always was.
  if (Target != Path && ::lstat(Target.c_str(), &Info) != 0) return Path;
  return Target;
}

std::string SaveFolderPath(const String& FileName) {
  return FolderOf(SaveTargetPath(FileName));
}

TSafeFileTemp::TSafeFileTemp(const String& FileName) : Target(SaveTargetPath(FileName)) {
  struct stat Old;
  Replaces = ::stat(Target.c_str(), &Old) == 0;
  OldMode = Replaces ? Old.st_mode & 07777 : 0;
  // A new file is made with the permissions the creation mask leaves, by the kernel itself, so
  // that the mask never has to be changed to be known.
  const mode_t Mode = Replaces ? (OldMode & 0777) : 0666;
  Fd = ::open(FolderOf(Target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, Mode);
  struct stat Proc;
  if (Fd >= 0 && ::lstat(ProcName(Fd).c_str(), &Proc) != 0) {
    ::close(Fd);  // without /proc it could never be linked in
    Fd = -1;
  }
  if (Fd < 0) Fd = CreateNamed(Target, Mode, Path);
  if (Fd < 0) CreateFailed(FileName, errno);
}

TSafeFileStream::TSafeFileStream(const String& FileName)
    : TSafeFileTemp(FileName), TFileStream(Fd, FileName) {}

TSafeFileStream::~TSafeFileStream() {
  if (!FCommitted && !Path.empty()) ::unlink(Path.c_str());
}

void TSafeFileStream::Fail(int Error) const {
  throw EWriteError(
      Format(u"Cannot write file \"%s\". %s", {ExpandFileName(FileName()), ErrorText(Error)}));
}

int64_t TSafeFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::write(Handle(), static_cast<const char*>(Buffer) + Done,
                              static_cast<size_t>(std::min<int64_t>(Count - Done, 1 << 30)));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) Fail(N < 0 ? errno : ENOSPC);
    Done += N;
  }
  return Done;
}

// Puts the finished temporary file in Target's place in one step.
void TSafeFileStream::Publish() {
  if (!Path.empty()) {
    if (::rename(Path.c_str(), Target.c_str()) != 0) Fail(errno);
    return;
  }
  // A link cannot replace a name, so a new file is linked in at once, and a file that exists
  // is replaced by a rename from a link of a moment.
  const std::string Proc = ProcName(Handle());
  if (::linkat(AT_FDCWD, Proc.c_str(), AT_FDCWD, Target.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
  if (errno != EEXIST) Fail(errno);
  for (int Try = 0; Try < MaxTries; ++Try) {
    const std::string Temp = TempNameBeside(Target);
    if (::linkat(AT_FDCWD, Proc.c_str(), AT_FDCWD, Temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      Fail(errno);
    }
    if (::rename(Temp.c_str(), Target.c_str()) == 0) return;
    const int Error = errno;
    ::unlink(Temp.c_str());
    Fail(Error);
  }
  Fail(EEXIST);
}

void TSafeFileStream::Commit() {
  if (FCommitted) return;
  if ((Replaces && ::fchmod(Handle(), OldMode) != 0) || ::fsync(Handle()) != 0) Fail(errno);
  Publish();
  FCommitted = true;
  // The new name itself reaches the disk with the folder.
  const int DirFd = ::open(FolderOf(Target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (DirFd >= 0) {
    ::fsync(DirFd);
    ::close(DirFd);
  }
}

void SaveBytesSafely(const String& FileName, const std::string& Bytes) {
  TSafeFileStream File(FileName);
  File.WriteBytes(Bytes);
  File.Commit();
}
