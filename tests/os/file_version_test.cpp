#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "os/file_version.h"

FILE_VERSION_BLOCK(1, 8, 3, 62);

namespace {

TEST(FileVersion, ReadFromTheProgramFileAndMissingInACopyWithoutTheBlock) {
  const String Self = ProgramFileName();
  ASSERT_FALSE(Self.empty());
  const auto Words = ReadFileVersion(Self);
  ASSERT_TRUE(Words.has_value());
  EXPECT_EQ(*Words, (std::array<uint16_t, 4>{1, 8, 3, 62}));

  const auto Dir = std::filesystem::temp_directory_path() / "file_version_test";
  std::filesystem::create_directories(Dir);
  const auto Copy = Dir / "stripped";
  const std::string Cmd =
      "objcopy --remove-section .file_version '" + ToUtf8(Self) + "' '" + Copy.string() + "'";
  ASSERT_EQ(std::system(Cmd.c_str()), 0);
  EXPECT_FALSE(ReadFileVersion(FromUtf8(Copy.string())).has_value());

  std::ofstream(Dir / "text") << "not a program";
  EXPECT_FALSE(ReadFileVersion(FromUtf8((Dir / "text").string())).has_value());
  EXPECT_FALSE(ReadFileVersion(u"/nonexistent/program").has_value());
  std::filesystem::remove_all(Dir);
}

}  // namespace
