#pragma once
// Answers that a slow controller still owes the line. The exchange writes its command again when
// no answer came within its wait; a controller slower than that answers every write, and the
// answers beyond those the exchange took are still on their way when it ends. Taken by the next
// command they would pass for its answer, so before a command goes out the answers still owed on
// its line are waited for and dropped. The debt belongs to the line, the port and its mode: it
// outlasts closing and opening the port, and it is void at another speed, where those answers
// would only be noise. A controller that answers in time owes nothing and costs nothing.
#include <chrono>
#include <cstdint>

#include "core/ustring.h"

class TComHandle;

// The writes of one exchange and the answers they brought, counted by their end bytes.
class TOwedAnswers {
 public:
  using TClock = std::chrono::steady_clock;

  TOwedAnswers(const TComHandle& hc, uint32_t Wait) : FLine(hc), FWait(Wait) {}
  // The command goes out now.
  void Wrote();
  // An attempt read these bytes.
  void Read(const RawBytes& Bytes);
  // Leaves the answers still owed to the line. An answer comes at the latest as long after its
  // write as the exchange gave the first answer after the first write (to the end of the wait in
  // which it came). A controller that let every wait pass is taken as silent: it owes nothing.
  void Leave() const;

 private:
  const TComHandle& FLine;
  uint32_t FWait;
  int FWrites = 0;
  int FAnswers = 0;
  TClock::time_point FFirstWrite;
  TClock::time_point FLastWrite;
  TClock::duration FLateness{};
};

// Before a command goes out on hc: waits until the answers its line still owes have come or can no
// longer come, and drops what came.
void SettleOwedAnswers(TComHandle& hc);
