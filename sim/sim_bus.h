#pragma once
// The simulated line: a pseudo-terminal whose slave the program opens as its serial port, and a
// device thread on the master that hands every byte the program sends to each device with the
// line speed the program set, and writes back their answers.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/pty.h"
#include "sim/sim_device.h"
#include "sim/unique_fd.h"

class TSimBus {
 public:
  TSimBus();  // creates the pseudo-terminal and starts the device thread
  ~TSimBus();
  TSimBus(const TSimBus&) = delete;
  TSimBus& operator=(const TSimBus&) = delete;

  TSimDevice& Add(std::unique_ptr<TSimDevice> Device);

  const std::string& SlavePath() const { return FPty.SlavePath(); }
  uint32_t LineSpeed() const;  // as the program set it; 0 after a hang-up
  // Writes bytes to the program as if a device had sent them; false after a hang-up.
  bool Send(std::string_view Bytes);
  std::string Received() const;  // everything the program sent so far
  // The line disappears: the program's handle is hung up.
  void HangUp();
  bool HungUp() const { return FHungUp; }

 private:
  void Run();
  void Dispatch(std::string_view Bytes);
  bool WriteLocked(std::string_view Bytes);
  void StopThread();

  mutable std::mutex FLock;  // the pseudo-terminal, the devices and FReceived
  TPty FPty;
  std::vector<std::unique_ptr<TSimDevice>> FDevices;
  std::string FReceived;
  std::atomic<bool> FHungUp{false};
  TUniqueFd FWakeRead;
  TUniqueFd FWakeWrite;
  std::thread FThread;
};
