#include "sim/sim_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace {

constexpr int WriteGiveUpMs = 1000;  // a program that never reads must not stall the thread
constexpr int64_t BitsPerByte = 10;  // start bit, 8 data bits, stop bit
// A paced answer is handed on at most this often: the bytes in between wait for the next time.
constexpr std::chrono::milliseconds HandOnEvery(1);

// Devices that answer the same bytes send at the same moment: where one drives a 0 bit the
// line reads 0, and past the end of the shorter answer the other goes on alone.
void Collide(std::string& Line, const std::string& Answer) {
  for (size_t I = 0; I < std::min(Line.size(), Answer.size()); ++I) Line[I] &= Answer[I];
  if (Answer.size() > Line.size()) Line.append(Answer, Line.size());
}

std::chrono::nanoseconds WireTime(size_t Bytes, uint32_t Speed) {
  return std::chrono::nanoseconds(int64_t(Bytes) * BitsPerByte * 1'000'000'000 / Speed);
}

}  // namespace

TSimBus::TSimBus() {
  int Pipe[2];
  if (pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::system_error(errno, std::generic_category(), "pipe2");
  FWakeRead = TUniqueFd(Pipe[0]);
  FWakeWrite = TUniqueFd(Pipe[1]);
  FThread = std::thread(&TSimBus::Run, this);
}

TSimBus::~TSimBus() {
  StopThread();
}

TSimDevice& TSimBus::Add(std::unique_ptr<TSimDevice> Device) {
  const std::lock_guard Guard(FLock);
  FDevices.push_back(std::move(Device));
  return *FDevices.back();
}

uint32_t TSimBus::LineSpeed() const {
  const std::lock_guard Guard(FLock);
  return FPty.LineSpeed();
}

size_t TSimBus::Answered() const {
  const std::lock_guard Guard(FLock);
  return FAnswered;
}

void TSimBus::SetPacing(bool On) {
  const std::lock_guard Guard(FLock);
  FPacing = On;
}

bool TSimBus::Send(std::string_view Bytes) {
  const std::lock_guard Guard(FLock);
  return WriteLocked(Bytes);
}

std::string TSimBus::Received() const {
  const std::lock_guard Guard(FLock);
  return FReceived;
}

std::string TSimBus::ReceivedAt(uint32_t Speed) const {
  const std::lock_guard Guard(FLock);
  const auto Found = FReceivedAt.find(Speed);
  return Found == FReceivedAt.end() ? std::string() : Found->second;
}

bool TSimBus::WaitUntilQueued(size_t Bytes, std::chrono::milliseconds Timeout) const {
  const TClock::time_point Deadline = TClock::now() + Timeout;
  for (;;) {
    {
      const std::lock_guard Guard(FLock);
      if (FPty.SlaveQueued() >= Bytes) return true;
    }
    if (TClock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

bool TSimBus::WaitUntilSent(std::chrono::milliseconds Timeout) const {
  const TClock::time_point Deadline = TClock::now() + Timeout;
  for (;;) {
    {
      const std::lock_guard Guard(FLock);
      if (FOutgoing.empty()) return true;
    }
    if (TClock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void TSimBus::HangUp() {
  StopThread();
  const std::lock_guard Guard(FLock);
  FHungUp = true;
  FPty.Close();
}

void TSimBus::StopThread() {
  if (!FThread.joinable()) return;
  const char Stop = 0;
  while (write(FWakeWrite.Get(), &Stop, 1) < 0 && errno == EINTR) {
  }
  FThread.join();
}

bool TSimBus::WriteLocked(std::string_view Bytes) {
  while (!Bytes.empty()) {
    if (!FPty.IsOpen()) return false;
    const ssize_t Put = write(FPty.Master(), Bytes.data(), Bytes.size());
    if (Put > 0) {
      Bytes.remove_prefix(size_t(Put));
      continue;
    }
    if (Put < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd P{FPty.Master(), POLLOUT, 0};
    const int Ready = poll(&P, 1, WriteGiveUpMs);
    if (Ready == 0 || (Ready < 0 && errno != EINTR)) return false;
  }
  return true;
}

void TSimBus::Queue(TClock::time_point Due, std::string Bytes, uint32_t Speed) {
  if (!Bytes.empty()) FOutgoing.emplace(Due, TOutgoing{std::move(Bytes), Speed, 0, false, {}, {}});
}

TSimBus::TClock::time_point TSimBus::Flush() {
  while (!FOutgoing.empty()) {
    const auto Head = FOutgoing.begin();
    TOutgoing& Out = Head->second;
    const TClock::time_point Now = TClock::now();
    if (Head->first > Now) return Head->first;
    if (FPty.LineSpeed() != Out.Speed) {
      FOutgoing.erase(Head);
      continue;
    }
    if (!FPacing || Out.Speed == 0) {
      FAnswered += Out.Bytes.size();
      WriteLocked(Out.Bytes);
      FOutgoing.erase(Head);
      continue;
    }
    if (!Out.Started) {
      Out.Started = true;
      Out.Start = std::max(Head->first, FLineFree);
    }
    // Every byte whose last bit has gone out by now.
    const std::chrono::nanoseconds Elapsed = Now - Out.Start;
    size_t Arrived = Out.Bytes.size();
    if (Elapsed < WireTime(Arrived, Out.Speed))
      Arrived = Elapsed.count() <= 0
                    ? 0
                    : size_t(Elapsed.count() * Out.Speed / (BitsPerByte * 1'000'000'000));
    if (Arrived > Out.Sent) {
      FAnswered += Arrived - Out.Sent;
      WriteLocked(std::string_view(Out.Bytes).substr(Out.Sent, Arrived - Out.Sent));
      Out.Sent = Arrived;
      Out.HandedOn = Now;
    }
    if (Out.Sent < Out.Bytes.size())
      return std::min(
          Out.Start + WireTime(Out.Bytes.size(), Out.Speed),
          std::max(Out.Start + WireTime(Out.Sent + 1, Out.Speed), Out.HandedOn + HandOnEvery));
    FLineFree = Out.Start + WireTime(Out.Bytes.size(), Out.Speed);
    FOutgoing.erase(Head);
  }
  return TClock::time_point::max();
}

void TSimBus::Dispatch(std::string_view Bytes) {
  const std::lock_guard Guard(FLock);
  // The speed the program set before it wrote these bytes.
  const uint32_t Speed = FPty.LineSpeed();
  const TClock::time_point Now = TClock::now();
  FReceived.append(Bytes);
  FReceivedAt[Speed].append(Bytes);
  // With pacing, a device hears a byte once its last bit has come in at the line speed.
  TClock::time_point Heard = Now;
  if (FPacing && Speed != 0) {
    FInboundFree = std::max(FInboundFree, Now) + WireTime(Bytes.size(), Speed);
    Heard = FInboundFree;
  }
  std::string AtOnce;
  for (const auto& Device : FDevices) {
    TSimReply Reply = Device->OnBytes(Speed, Bytes);
    if (Reply.HangUp) {
      // Flagged before the line goes, so whoever sees the hang-up sees the flag too.
      FHungUp = true;
      FOutgoing.clear();
      FPty.Close();
      return;
    }
    Collide(AtOnce, Reply.Bytes);
    for (TSimLateBytes& Late : Reply.Later)
      Queue(Heard + std::chrono::milliseconds(Late.DelayMs), std::move(Late.Bytes), Speed);
  }
  Queue(Heard, std::move(AtOnce), Speed);
  Flush();
}

void TSimBus::Run() {
  // Paced bytes are due every few tens of microseconds at the fast speed: wake up on time.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  while (!FHungUp) {
    TClock::time_point Next;
    {
      const std::lock_guard Guard(FLock);
      Next = Flush();
    }
    timespec Wait{};
    const bool Forever = Next == TClock::time_point::max();
    if (!Forever) {
      const int64_t Ns =
          std::max<int64_t>(0, std::chrono::nanoseconds(Next - TClock::now()).count());
      Wait.tv_sec = time_t(Ns / 1'000'000'000);
      Wait.tv_nsec = long(Ns % 1'000'000'000);
    }
    pollfd Fds[2] = {{FPty.Master(), POLLIN, 0}, {FWakeRead.Get(), POLLIN, 0}};
    if (ppoll(Fds, 2, Forever ? nullptr : &Wait, nullptr) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (Fds[1].revents) return;
    if (Fds[0].revents & POLLIN) {
      char Buffer[4096];
      const ssize_t Got = read(FPty.Master(), Buffer, sizeof Buffer);
      if (Got > 0)
        Dispatch(std::string_view(Buffer, size_t(Got)));
      else if (Got == 0 || (errno != EAGAIN && errno != EINTR))
        return;
    } else if (Fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      return;
    }
  }
}
