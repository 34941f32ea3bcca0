#pragma once
// Memory mapped straight from the system on whole huge pages: filling it costs one fault per
// two megabytes rather than one per four kilobytes, and reading it scattered costs no miss of
// the address translation for each small page.
#include <cstddef>

constexpr size_t HugePageSize = size_t{2} << 20;

// Length bytes (a multiple of HugePageSize), starting on a huge-page boundary; std::bad_alloc
// when the system has none.
void* MapHugePages(size_t Length);
void UnmapPages(void* Area, size_t Length) noexcept;
