#pragma once
// The simulated line: a pseudo-terminal whose slave the program opens as its serial port, and a
// device thread on the master that hands every byte the program sends to each device with the
// line speed the program set, and writes back their answers, the late ones when they fall due.
// An answer still owed when the program has set another speed is lost: at that speed its bytes
// would only be line errors. Devices that answer the same bytes at once collide: the program
// hears one garbled answer as long as the longest.
#include <atomic>
#include <chrono>
#include <map>
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
  size_t Answered() const;     // how many bytes the devices have sent to the program so far
  // Writes bytes to the program as if a device had sent them; false after a hang-up.
  bool Send(std::string_view Bytes);
  std::string Received() const;                  // everything the program sent so far
  std::string ReceivedAt(uint32_t Speed) const;  // what it sent while the line ran at Speed
  // Waits until the program's side of the line holds at least Bytes unread bytes; false when
  // that did not happen within Timeout.
  bool WaitUntilQueued(size_t Bytes, std::chrono::milliseconds Timeout) const;
  // Waits until every answer owed, the late ones included, has gone out whole; false when that
  // did not happen within Timeout.
  bool WaitUntilSent(std::chrono::milliseconds Timeout) const;
  // The line disappears: the program's handle is hung up.
  void HangUp();
  bool HungUp() const { return FHungUp; }
  // With pacing, answers take the time they would on the wire: 10 bits a byte at the speed they
  // were sent at, handed on as a USB converter does, at most once a millisecond and the last byte
  // on time. Off by default: answers arrive whole and at once.
  void SetPacing(bool On);

 private:
  using TClock = std::chrono::steady_clock;
  struct TOutgoing {
    std::string Bytes;
    uint32_t Speed = 0;
    size_t Sent = 0;
    bool Started = false;
    TClock::time_point Start;     // with pacing: when its first bit went out
    TClock::time_point HandedOn;  // with pacing: when bytes of it were last handed on
  };

  void Run();
  void Dispatch(std::string_view Bytes);
  void Queue(TClock::time_point Due, std::string Bytes, uint32_t Speed);
  // Writes what is due; returns when the next write falls due (max when nothing waits).
  TClock::time_point Flush();
  bool WriteLocked(std::string_view Bytes);
  void StopThread();

  mutable std::mutex FLock;  // everything below but the thread and its wake-up pipe
  TPty FPty;
  // By due time; answers due at the same moment keep their order.
  std::multimap<TClock::time_point, TOutgoing> FOutgoing;
  bool FPacing = false;
  size_t FAnswered = 0;
  TClock::time_point FLineFree;       // with pacing: the end of the last answer on the wire
  TClock::time_point FInboundFree{};  // with pacing: when the program's bytes have all come in
  std::vector<std::unique_ptr<TSimDevice>> FDevices;
  std::string FReceived;
  std::map<uint32_t, std::string> FReceivedAt;
  std::atomic<bool> FHungUp{false};
  TUniqueFd FWakeRead;
  TUniqueFd FWakeWrite;
  std::thread FThread;
};
