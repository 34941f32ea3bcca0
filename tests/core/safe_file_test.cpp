#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/exceptions.h"
#include "core/safe_file.h"
#include "core/save_lock.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace {

std::string ReadAll(const String& Name) {
  TMemoryStream M;
  M.LoadFromFile(Name);
  return M.Bytes();
}

size_t FilesIn(const std::string& Dir) {
  size_t N = 0;
  for ([[maybe_unused]] const auto& E : std::filesystem::directory_iterator(Dir)) ++N;
  return N;
}

// The process's file creation mask as the kernel reports it.
std::string MaskNow() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("Umask:", 0) == 0) return Line;
  return std::string();
}

class SafeFile : public ::testing::Test {
 protected:
  const TTempFolder Folder;
  const std::string Dir = Folder.Path() + "/";
  const String Name = FromUtf8(Dir + "data.txt");
};

}  // namespace

TEST_F(SafeFile, ReplacesOnlyOnCommitAndKeepsPermissions) {
  SaveBytesSafely(Name, "old");
  chmod(ToUtf8(Name).c_str(), 0640);
  {
    TSafeFileStream F(Name);
    F.WriteBytes("new content");
    EXPECT_EQ(ReadAll(Name), "old");
    F.Commit();
  }
  EXPECT_EQ(ReadAll(Name), "new content");
  struct stat Info;
  stat(ToUtf8(Name).c_str(), &Info);
  EXPECT_EQ(Info.st_mode & 0777, 0640u);
  {
    TSafeFileStream Dropped(Name);
    Dropped.WriteBytes("never");
  }
  EXPECT_EQ(ReadAll(Name), "new content");
  EXPECT_EQ(FilesIn(Dir), 1u);
}

TEST_F(SafeFile, AWriteThatFailsHalfWayLeavesTheOldFile) {
  const std::string Old(3000, 'o');
  SaveBytesSafely(Name, Old);
  try {
    const TFileSizeLimit Limit(1000);
    SaveBytesSafely(Name, std::string(5000, 'n'));
    FAIL() << "the write should fail";
  } catch (const EWriteError& E) {
    EXPECT_NE(E.Message().find(u"data.txt"), String::npos);
    EXPECT_NE(E.Message().find(u"large"), String::npos);  // "File too large"
  }
  EXPECT_EQ(ReadAll(Name), Old);
  EXPECT_EQ(FilesIn(Dir), 1u);
}

TEST_F(SafeFile, ALinkKeepsPointingAtTheReplacedFile) {
  SaveBytesSafely(Name, "target");
  const String Link = FromUtf8(Dir + "link.txt");
  std::filesystem::create_symlink(ToUtf8(Name), ToUtf8(Link));
  SaveBytesSafely(Link, "through the link");
  EXPECT_TRUE(std::filesystem::is_symlink(ToUtf8(Link)));
  EXPECT_EQ(ReadAll(Name), "through the link");
  EXPECT_THROW(SaveBytesSafely(FromUtf8(Dir + "no/such/folder.txt"), "x"), EFCreateError);
}

TEST_F(SafeFile, ASaveKilledHalfWayLeavesNoTemporaryFile) {
  const int Probe = ::open(Dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (Probe < 0) GTEST_SKIP() << "the file system of " << Dir << " has no unnamed files";
  ::close(Probe);
  SaveBytesSafely(Name, "old");
  const pid_t Child = ::fork();
  if (Child == 0) {
    TSafeFileStream F(Name);
    F.WriteBytes(std::string(1 << 20, 'n'));
    ::raise(SIGKILL);
  }
  int Status = 0;
  ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
  EXPECT_TRUE(WIFSIGNALED(Status));
  EXPECT_EQ(ReadAll(Name), "old");
  EXPECT_EQ(FilesIn(Dir), 1u);
}

TEST_F(SafeFile, TheLongestNamesAreCreatedAndReplaced) {
  std::string Long;
  while (Long.size() < 254) Long += "\u0436";
  Long += "a";  // 255 bytes, the most a folder entry holds
  const String LongName = FromUtf8(Dir + Long);
  SaveBytesSafely(LongName, "first");
  SaveBytesSafely(LongName, "second");
  EXPECT_EQ(ReadAll(LongName), "second");
  EXPECT_EQ(FilesIn(Dir), 1u);
}

TEST_F(SafeFile, ANewFileTakesTheMaskWhileOtherThreadsKeepSeeingIt) {
  const mode_t Old = ::umask(027);
  const std::string Mask = MaskNow();
  std::atomic<bool> Stop = false;
  std::atomic<int> Changed = 0;
  std::thread Watcher([&] {
    while (!Stop)
      if (MaskNow() != Mask) ++Changed;
  });
  for (int I = 0; I < 200; ++I) SaveBytesSafely(FromUtf8(Dir + std::to_string(I)), "x");
  Stop = true;
  Watcher.join();
  ::umask(Old);
  EXPECT_EQ(Changed, 0);
  struct stat Info;
  ASSERT_EQ(::stat((Dir + "199").c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0640u);
}

TEST_F(SafeFile, AnotherUsersLinkInASharedStickyFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root makes a link that belongs to another user";
  SaveBytesSafely(Name, "target");
  const std::string Shared = Dir + "shared";
  ASSERT_EQ(::mkdir(Shared.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(Shared.c_str(), 01777), 0);
  const std::string Link = Shared + "/link.txt";
  ASSERT_EQ(::symlink(ToUtf8(Name).c_str(), Link.c_str()), 0);
  ASSERT_EQ(::lchown(Link.c_str(), 65534, 65534), 0);
  EXPECT_THROW(SaveBytesSafely(FromUtf8(Link), "through another's link"), EFCreateError);
  EXPECT_EQ(ReadAll(Name), "target");
  EXPECT_TRUE(std::filesystem::is_symlink(Link));

  // A link of our own there is followed as anywhere else.
  ASSERT_EQ(::lchown(Link.c_str(), ::geteuid(), ::getegid()), 0);
  SaveBytesSafely(FromUtf8(Link), "through our own link");
  EXPECT_EQ(ReadAll(Name), "through our own link");
}

TEST_F(SafeFile, AThreadThatHoldsTheLockTakesItAgain) {
  // A save that reads and writes within another one of the same folder must not wait for itself.
  const TSaveLock Outer(Name);
  {
    const TSaveLock Inner(FromUtf8(Dir + "other.txt"));
    SaveBytesSafely(Name, "inner");
  }
  const TSaveLock Again(Name);
  EXPECT_EQ(ReadAll(Name), "inner");
}
