// The exchange of one command with a controller, and the end of an operation whose line goes.
#include "tool/exchange.h"

#include <chrono>
#include <thread>
#include <utility>

#include "tool/framing.h"
#include "tool/main_window.h"
#include "tool/owed_answers.h"
#include "tool/unit_state.h"

RawBytes TfmMain::GetPack(const RawBytes& s) const {
  return ::GetPack(s, oComMode, CmdPrefix);
}

RawBytes TfmMain::UnPack(const RawBytes& s) const {
  return ::UnPack(s, oComMode);
}

RawBytes TfmMain::ExPack(TComHandle& hc, const RawBytes& s, uint32_t Delay) {
  RawBytes Result;
  try {
    const RawBytes Frame = GetPack(s);
    // Answers a slow controller still owes an earlier command are waited out, and nothing else
    // that came before this command is its answer either. A late answer to this command's own
    // earlier attempt is still taken by the next attempt.
    SettleOwedAnswers(hc);
    hc.Port().Purge(PURGE_RXCLEAR);
    hc.CheckLine();
    TOwedAnswers Owed(hc, Delay);
    for (int Attempt = 0; Attempt < ExchangeAttempts; ++Attempt) {
      TSerialPort& Port = hc.Port();
      if (!Frame.empty()) {
        Owed.Wrote();
        Port.Write(Frame);
      }
      Port.SetMask(EV_RXFLAG);
      uint32_t Events = 0;
      const TWaitResult Wait = Port.WaitEvent(Events, Delay);
      hc.CheckLine();
      if (Wait != TWaitResult::wrSignaled) {
        Result.assign(1, NoAnswer);
        continue;
      }
      uint32_t Queued = 0;
      Port.QueuedBytes(Queued);
      if (Queued == 0) {
        Result.clear();
        continue;
      }
      RawBytes Bytes;
      Port.Read(Bytes, Queued);
      hc.CheckLine();
      Owed.Read(Bytes);
      Result = UnPack(Bytes);
      if (Result.size() >= FullAnswer) break;
    }
    Owed.Leave();
  } catch (const ELineGone&) {
    throw;
  } catch (const std::exception&) {
    AddLine(Text(u"IDS_2"));
  }
  return Result;
}

bool TfmMain::RunOnLine(const std::function<void()>& Operation) {
  try {
    Operation();
    return true;
  } catch (const ELineGone&) {
    const String Line = Text(u"IDS_137");
    AddLine(Line);
    Log(Line);
    return false;
  }
}

namespace {

TPauseFunction PauseFunction;

}  // namespace

void SleepMs(int Ms) {
  if (PauseFunction)
    PauseFunction(Ms);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

TPauseFunction SetPauseFunction(TPauseFunction Pause) {
  return std::exchange(PauseFunction, std::move(Pause));
}
