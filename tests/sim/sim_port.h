#pragma once
// A port opened on the simulated line the way the tool sets one up: raw 8N1 at a given speed,
// flags word 1, reads that return at once.
#include <chrono>
#include <optional>
#include <thread>

#include "os/serial_port.h"
#include "sim/sim_bus.h"

inline TSerialPort OpenSimPort(const TSimBus& Bus, uint32_t Baud, char EvtChar = 0) {
  TSerialPort Port;
  if (!Port.Open(FromUtf8(Bus.SlavePath()), true)) return Port;
  TDCB Dcb;
  Port.GetState(Dcb);
  Dcb.BaudRate = Baud;
  Dcb.ByteSize = 8;
  Dcb.Parity = NOPARITY;
  Dcb.StopBits = ONESTOPBIT;
  Dcb.Flags = DCB_BINARY;
  Dcb.EvtChar = EvtChar;
  Port.SetState(Dcb);
  Port.SetTimeouts({MAXDWORD, 0, 0, 0, 0});
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

inline int64_t ElapsedMs(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               Start)
      .count();
}

// Sets the speed and end byte of a framing on an open port, as the tool does when it reopens.
inline bool Retune(TSerialPort& Port, uint32_t Baud, char EvtChar) {
  TDCB Dcb;
  Port.GetState(Dcb);
  Dcb.BaudRate = Baud;
  Dcb.EvtChar = EvtChar;
  return Port.SetState(Dcb);
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
