#include <gtest/gtest.h>

#include <elf.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "os/file_version.h"
#include "temp_folder.h"

FILE_VERSION_BLOCK(1, 8, 3, 62);

namespace {

TEST(FileVersion, ReadFromTheProgramFileAndMissingInACopyWithoutTheBlock) {
  const String Self = ProgramFileName();
  ASSERT_FALSE(Self.empty());
  const auto Words = ReadFileVersion(Self);
  ASSERT_TRUE(Words.has_value());
  EXPECT_EQ(*Words, (std::array<uint16_t, 4>{1, 8, 3, 62}));

  const TTempFolder Folder;
  const std::filesystem::path Dir = Folder.Path();
  const auto Copy = Dir / "stripped";
  const std::string Cmd =
      "objcopy --remove-section .file_version '" + ToUtf8(Self) + "' '" + Copy.string() + "'";
  ASSERT_EQ(std::system(Cmd.c_str()), 0);
  EXPECT_FALSE(ReadFileVersion(FromUtf8(Copy.string())).has_value());

  std::ofstream(Dir / "text") << "not a program";
  EXPECT_FALSE(ReadFileVersion(FromUtf8((Dir / "text").string())).has_value());
  EXPECT_FALSE(ReadFileVersion(u"/nonexistent/program").has_value());
}

// A minimal program file: its header, the section names, the version block and three section
// headers (the empty one, the names, the block).
std::string ElfWithVersion(uint64_t NamesSize, uint32_t BlockName) {
  const char Names[] = "\0.shstrtab\0.file_version";
  const TFileVersionBlock Block = {{'F', 'I', 'L', 'E', 'V', 'E', 'R', 0}, {2, 0, 1, 7}};
  Elf64_Ehdr H{};
  std::memcpy(H.e_ident, ELFMAG, SELFMAG);
  H.e_ident[EI_CLASS] = ELFCLASS64;
  H.e_shentsize = sizeof(Elf64_Shdr);
  H.e_shnum = 3;
  H.e_shstrndx = 1;
  const uint64_t NamesAt = sizeof(H), BlockAt = NamesAt + sizeof(Names);
  H.e_shoff = BlockAt + sizeof(Block);
  Elf64_Shdr S[3] = {};
  S[1].sh_name = 1;
  S[1].sh_offset = NamesAt;
  S[1].sh_size = NamesSize;
  S[2].sh_name = BlockName;
  S[2].sh_offset = BlockAt;
  S[2].sh_size = sizeof(Block);
  std::string Bytes(reinterpret_cast<const char*>(&H), sizeof(H));
  Bytes.append(Names, sizeof(Names));
  Bytes.append(reinterpret_cast<const char*>(&Block), sizeof(Block));
  Bytes.append(reinterpret_cast<const char*>(S), sizeof(S));
  return Bytes;
}

TEST(FileVersion, SectionNamesThatClaimMoreThanTheFileHoldsOrPointPastTheTable) {
  using TWords = std::array<uint16_t, 4>;
  std::istringstream Plain(ElfWithVersion(26, 11));
  EXPECT_EQ(ReadFileVersion(Plain), (TWords{2, 0, 1, 7}));
  // A name table said to run far past the end of the file is read as far as the file goes.
  std::istringstream Oversized(ElfWithVersion(uint64_t{1} << 40, 11));
  EXPECT_EQ(ReadFileVersion(Oversized), (TWords{2, 0, 1, 7}));
  // A name that starts past the table, or runs over its end, names nothing.
  std::istringstream PastTheEnd(ElfWithVersion(26, 4000));
  EXPECT_FALSE(ReadFileVersion(PastTheEnd).has_value());
  std::istringstream Cut(ElfWithVersion(20, 11));
  EXPECT_FALSE(ReadFileVersion(Cut).has_value());
}

}  // namespace
