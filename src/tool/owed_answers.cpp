#include "tool/owed_answers.h"

#include <algorithm>
#include <utility>

#include "tool/com_port.h"

namespace {

using TClock = TOwedAnswers::TClock;

// The answers a line still owes, and until when they can come.
struct TLineDebt {
  String Port;
  int ComMode = ComModeSlow;
  int Count = 0;
  TClock::time_point Due;
};

TLineDebt LineDebt;

int EndBytes(const RawBytes& Bytes, char EndByte) {
  return static_cast<int>(std::count(Bytes.begin(), Bytes.end(), EndByte));
}

}  // namespace

void TOwedAnswers::Wrote() {
  FLastWrite = TClock::now();
  if (FWrites++ == 0) FFirstWrite = FLastWrite;
}

void TOwedAnswers::Read(const RawBytes& Bytes) {
  const int Answers = EndBytes(Bytes, FLine.EndByte());
  if (Answers > 0 && FAnswers == 0)
    FLateness = FLastWrite + std::chrono::milliseconds(FWait) - FFirstWrite;
  FAnswers += Answers;
}

void TOwedAnswers::Leave() const {
  if (FAnswers == 0 || FWrites <= FAnswers) return;
  LineDebt = {FLine.Name(), FLine.ComMode(), FWrites - FAnswers, FLastWrite + FLateness};
}

void SettleOwedAnswers(TComHandle& hc) {
  const TLineDebt Debt = std::exchange(LineDebt, TLineDebt{});
  if (Debt.Count == 0 || Debt.Port != hc.Name() || Debt.ComMode != hc.ComMode()) return;
  TSerialPort& Port = hc.Port();
  Port.SetMask(EV_RXFLAG);
  for (int Left = Debt.Count;;) {
    uint32_t Queued = 0;
    Port.QueuedBytes(Queued);
    RawBytes Bytes;
    Port.Read(Bytes, Queued);
    hc.CheckLine();
    Left -= EndBytes(Bytes, hc.EndByte());
    const TClock::time_point Now = TClock::now();
    if (Left <= 0 || Now >= Debt.Due) return;
    uint32_t Events = 0;
    const auto Wait = std::chrono::ceil<std::chrono::milliseconds>(Debt.Due - Now);
    if (Port.WaitEvent(Events, static_cast<uint32_t>(Wait.count())) != TWaitResult::wrSignaled) {
      hc.CheckLine();
      return;
    }
  }
}
