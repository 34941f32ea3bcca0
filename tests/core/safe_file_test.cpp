#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/exceptions.h"
#include "core/safe_file.h"
#include "file_size_limit.h"

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

class SafeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest runs each test in a process of its own, side by side.
    Dir = ::testing::TempDir() + "safe_file_" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    Name = FromUtf8(Dir + "data.txt");
  }
  std::string Dir;
  String Name;
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
