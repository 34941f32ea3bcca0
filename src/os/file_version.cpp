#include "os/file_version.h"

#include <elf.h>
#include <unistd.h>

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

std::optional<std::array<uint16_t, 4>> ReadFileVersion(std::istream& F) {
  Elf64_Ehdr H{};
  if (!ReadAt(F, 0, H) || std::memcmp(H.e_ident, ELFMAG, SELFMAG) != 0 ||
      H.e_ident[EI_CLASS] != ELFCLASS64 || H.e_shentsize != sizeof(Elf64_Shdr) ||
      H.e_shstrndx >= H.e_shnum)
    return std::nullopt;
  Elf64_Shdr Names{};
  if (!ReadAt(F, H.e_shoff + uint64_t{H.e_shstrndx} * sizeof(Elf64_Shdr), Names))
    return std::nullopt;
  static const char Wanted[] = ".file_version";
  for (uint16_t I = 0; I < H.e_shnum; ++I) {
    Elf64_Shdr S{};
    if (!ReadAt(F, H.e_shoff + uint64_t{I} * sizeof(Elf64_Shdr), S)) return std::nullopt;
    if (S.sh_name >= Names.sh_size || S.sh_size < sizeof(TFileVersionBlock)) continue;
    char Name[sizeof(Wanted)] = {};
    F.seekg(static_cast<std::streamoff>(Names.sh_offset + S.sh_name));
    if (!F.read(Name, sizeof(Name)) || std::memcmp(Name, Wanted, sizeof(Wanted)) != 0) {
      F.clear();
      continue;
    }
    TFileVersionBlock Block{};
    if (!ReadAt(F, S.sh_offset, Block) || std::memcmp(Block.Signature, "FILEVER", 8) != 0)
      return std::nullopt;
    return std::array<uint16_t, 4>{Block.Words[0], Block.Words[1], Block.Words[2], Block.Words[3]};
  }
  return std::nullopt;
}
