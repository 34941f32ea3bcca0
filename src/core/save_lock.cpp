#include "core/save_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "core/safe_file.h"

namespace {

// The folders this process holds: the lock on a folder belongs to the open folder, so a second
// lock on it from this process would wait for the first for ever.
struct THeldFolder {
  std::thread::id Owner;
  int Depth = 0;
  int Fd = -1;
};

std::mutex Guard;
std::condition_variable Released;
std::map<std::pair<dev_t, ino_t>, THeldFolder> Held;

}  // namespace

TSaveLock::TSaveLock(const String& FileName) {
  const int Fd = ::open(SaveFolderPath(FileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat Info;
  if (Fd < 0) return;
  if (::fstat(Fd, &Info) != 0) {
    ::close(Fd);
    return;
  }
  FFolder = {Info.st_dev, Info.st_ino};
  FHeld = true;
  std::unique_lock<std::mutex> Lock(Guard);
  Released.wait(Lock, [this] {
    const auto It = Held.find(FFolder);
    return It == Held.end() || It->second.Owner == std::this_thread::get_id();
  });
  THeldFolder& Entry = Held[FFolder];
  if (Entry.Depth++ > 0) {
    ::close(Fd);
    return;
  }
  Entry.Owner = std::this_thread::get_id();
  Entry.Fd = Fd;
  Lock.unlock();
  // Other threads of this process now wait above; other processes wait here.
  while (::flock(Fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

TSaveLock::~TSaveLock() {
  if (!FHeld) return;
  const std::lock_guard<std::mutex> Lock(Guard);
  const auto It = Held.find(FFolder);
  if (--It->second.Depth > 0) return;
  ::flock(It->second.Fd, LOCK_UN);  // also for a child process that shares the open folder
  ::close(It->second.Fd);
  Held.erase(It);
  Released.notify_all();
}
