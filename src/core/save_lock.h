#pragma once
// Keeps other saves out of the folder of a file, in this process and in others, while it lives.
// Whoever reads a file, changes it and writes it back holds one from the read until the new
// file is in place, so that two programs saving into one file at once keep both their changes.
// The folder is locked rather than the file, since a safe save puts a new file in the old one's
// place, and rather than a file beside it, so that nothing is left there. The thread that holds
// it may take it again (a save inside a save of the same file); other threads wait.
#include <sys/types.h>

#include <utility>

#include "core/ustring.h"

class TSaveLock {
 public:
  // Locks the folder of the file that a save of FileName replaces (SaveTargetPath). A folder
  // that cannot be opened or locked is not locked: the save then goes on as it would alone.
  explicit TSaveLock(const String& FileName);
  ~TSaveLock();
  TSaveLock(const TSaveLock&) = delete;
  TSaveLock& operator=(const TSaveLock&) = delete;

 private:
  std::pair<dev_t, ino_t> FFolder{};
  bool FHeld = false;
};
