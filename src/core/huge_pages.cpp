#include "core/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

void* MapHugePages(size_t Length) {
  // Mapped a huge page longer than needed, then trimmed to start on a huge-page boundary.
  void* Mapped = ::mmap(nullptr, Length + HugePageSize, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Mapped == MAP_FAILED) throw std::bad_alloc();
  auto* const Area = static_cast<char*>(Mapped);
  const auto Address = reinterpret_cast<uintptr_t>(Area);
  const size_t Head = ((Address + HugePageSize - 1) & ~(HugePageSize - 1)) - Address;
  if (Head > 0) ::munmap(Area, Head);
  if (Head < HugePageSize) ::munmap(Area + Head + Length, HugePageSize - Head);
  ::madvise(Area + Head, Length, MADV_HUGEPAGE);
  return Area + Head;
}

void UnmapPages(void* Area, size_t Length) noexcept {
  ::munmap(Area, Length);
}
