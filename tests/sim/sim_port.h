#pragma once
// A port opened on the simulated line the way the tool sets one up: raw 8N1 at a given speed,
// flags word 1, reads that return at once.
#include <chrono>
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
