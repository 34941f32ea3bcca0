#pragma once
// The device side of a pseudo-terminal. The program under test opens the slave path like any
// serial port; the line speed it sets there is read back here.
#include <cstdint>
#include <string>

#include "sim/unique_fd.h"

class TPty {
 public:
  TPty();  // throws std::system_error when no pseudo-terminal can be had

  int Master() const { return FMaster.Get(); }
  const std::string& SlavePath() const { return FSlavePath; }
  bool IsOpen() const { return FMaster.Valid(); }
  uint32_t LineSpeed() const;  // baud the slave is set to; 0 once closed
  size_t SlaveQueued() const;  // bytes the program has not read yet; 0 once closed
  // Closes the device side: the program's handle on the slave is hung up.
  void Close();

 private:
  TUniqueFd FMaster;
  // Held open so the master never sees a hang-up between two opens of the program, and so the
  // slave keeps its settings across them, as a real port does.
  TUniqueFd FSlave;
  std::string FSlavePath;
};
