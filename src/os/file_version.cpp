#include "os/file_version.h"

#include <elf.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

String ProgramFileName() {
  std::vector<char> Buf(4096);
  const ssize_t N = readlink("/proc/self/exe", Buf.data(), Buf.size() - 1);
  return N > 0 ? FromUtf8(std::string(Buf.data(), static_cast<size_t>(N))) : String();
}

namespace {

// A section-name table holds a few hundred bytes; one that claims more is read this far only.
constexpr uint64_t MaxNamesSize = uint64_t{1} << 20;

template <class T>
bool ReadAt(std::istream& F, uint64_t Offset, T& Out) {
  F.seekg(static_cast<std::streamoff>(Offset));
  return static_cast<bool>(F.read(reinterpret_cast<char*>(&Out), sizeof(T)));
}

}  // namespace

std::optional<std::array<uint16_t, 4>> ReadFileVersion(const String& FileName) {
  std::ifstream F(ToUtf8(FileName), std::ios::binary);
  if (!F) return std::nullopt;
  return ReadFileVersion(F);
}

// The section headers and their names are read in one piece each: a file stream drops its
// buffer on every seek, and a program has dozens of sections.
std::optional<std::array<uint16_t, 4>> ReadFileVersion(std::istream& F) {
  Elf64_Ehdr H{};
  if (!ReadAt(F, 0, H) || std::memcmp(H.e_ident, ELFMAG, SELFMAG) != 0 ||
      H.e_ident[EI_CLASS] != ELFCLASS64 || H.e_shentsize != sizeof(Elf64_Shdr) ||
      H.e_shstrndx >= H.e_shnum)
    return std::nullopt;
  std::vector<Elf64_Shdr> Sections(H.e_shnum);
  F.seekg(static_cast<std::streamoff>(H.e_shoff));
  if (!F.read(reinterpret_cast<char*>(Sections.data()),
              static_cast<std::streamsize>(Sections.size() * sizeof(Elf64_Shdr))))
    return std::nullopt;
  const Elf64_Shdr& Names = Sections[H.e_shstrndx];
  std::string NameBytes(std::min(Names.sh_size, MaxNamesSize), '\0');
  F.seekg(static_cast<std::streamoff>(Names.sh_offset));
  F.read(NameBytes.data(), static_cast<std::streamsize>(NameBytes.size()));
  NameBytes.resize(static_cast<size_t>(F.gcount()));
  F.clear();
  static const char Wanted[] = ".file_version";
  for (const Elf64_Shdr& S : Sections) {
    if (S.sh_size < sizeof(TFileVersionBlock) || S.sh_name > NameBytes.size() ||
        NameBytes.size() - S.sh_name < sizeof(Wanted) ||
        std::memcmp(NameBytes.data() + S.sh_name, Wanted, sizeof(Wanted)) != 0)
      continue;
    TFileVersionBlock Block{};
    if (!ReadAt(F, S.sh_offset, Block) || std::memcmp(Block.Signature, "FILEVER", 8) != 0)
      return std::nullopt;
    return std::array<uint16_t, 4>{Block.Words[0], Block.Words[1], Block.Words[2], Block.Words[3]};
  }
  return std::nullopt;
}
