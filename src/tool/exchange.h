#pragma once
// One request and answer with a controller: the attempts and waits of the exchange, and the
// error that ends an operation when its line goes.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/exceptions.h"
#include "core/ustring.h"

inline constexpr int ExchangeAttempts = 3;
// An answer at least this long ends the attempts; a shorter one is asked for again.
inline constexpr size_t FullAnswer = 5;
// The wait per attempt for the end byte of an answer, in milliseconds.
inline constexpr uint32_t AnswerWait = 600;
inline constexpr uint32_t SetAddressWait = 500;

// The result of an exchange whose last attempt saw no end byte in time.
inline constexpr char NoAnswer = 'Z';
inline bool IsNoAnswer(const RawBytes& a) {
  return a.size() == 1 && a[0] == NoAnswer;
}

// The pauses the protocol prescribes between exchanges: the calling thread sleeps, or, while a
// pause function is set, that function is called instead (a test counts the pauses rather than
// waiting them out).
void SleepMs(int Ms);
using TPauseFunction = std::function<void(int Ms)>;
// Sets the pause function (an empty one puts the sleep back) and returns the one it replaces.
TPauseFunction SetPauseFunction(TPauseFunction Pause);

// The port reported that its device has gone (a converter unplugged, the line hung up). Raised by
// the exchange and by whoever else talks to the port; TfmMain::RunOnLine ends the operation with
// one line.
class ELineGone : public Exception {
 public:
  using Exception::Exception;
};
