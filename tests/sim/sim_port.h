#pragma once
// A port opened on the simulated line the way the tool sets one up: raw 8N1 at a given speed.
#include <chrono>
#include <optional>
#include <thread>

#include "os/serial_port.h"
#include "sim/sim_bus.h"

inline TSerialPort OpenSimPort(const TSimBus& Bus, uint32_t Baud, char EvtChar = 0) {
  TSerialPort Port;
  if (Port.Open(FromUtf8(Bus.SlavePath()))) Port.SetState({Baud, EvtChar});
  return Port;
}

// Bytes written to the master reach the slave's queue a moment later.
inline uint32_t WaitQueued(TSerialPort& Port, uint32_t Want) {
  uint32_t Count = 0;
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (Port.QueuedBytes(Count) && Count < Want && std::chrono::steady_clock::now() < Deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return Count;
}

// Bytes the program writes reach the devices a moment later: waits until they have heard Bytes
// in all, at most a few seconds.
inline bool WaitUntilHeard(const TSimBus& Bus, size_t Bytes) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (Bus.Received().size() < Bytes) {
    if (std::chrono::steady_clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

inline int64_t ElapsedMs(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               Start)
      .count();
}

// Sets the speed and end byte of a framing on an open port, as the tool does when it reopens.
inline bool Retune(TSerialPort& Port, uint32_t Baud, char EvtChar) {
  return Port.SetState({Baud, EvtChar});
}

// Everything that comes until the line has been quiet for QuietMs.
inline RawBytes ReadUntilQuiet(TSerialPort& Port, uint32_t QuietMs) {
  uint32_t Events = 0;
  Port.SetMask(EV_RXCHAR);
  while (Port.WaitEvent(Events, QuietMs) == TWaitResult::wrSignaled) {
  }
  uint32_t Count = 0;
  RawBytes Data;
  Port.QueuedBytes(Count);
  Port.Read(Data, Count);
  return Data;
}

// Writes a frame and waits up to TimeoutMs for the event character; returns what is queued then,
// or nullopt when the wait ran out.
inline std::optional<RawBytes> WriteAndWait(TSerialPort& Port, const RawBytes& Frame,
                                            uint32_t TimeoutMs) {
  uint32_t Events = 0;
  if (!Port.SetMask(EV_RXFLAG) || !Port.Write(Frame) ||
      Port.WaitEvent(Events, TimeoutMs) != TWaitResult::wrSignaled)
    return std::nullopt;
  uint32_t Count = 0;
  RawBytes Data;
  Port.QueuedBytes(Count);
  Port.Read(Data, Count);
  return Data;
}
