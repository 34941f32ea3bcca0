#include "sim/sim_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

constexpr int WriteGiveUpMs = 1000;  // a program that never reads must not stall the thread

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

bool TSimBus::Send(std::string_view Bytes) {
  const std::lock_guard Guard(FLock);
  return WriteLocked(Bytes);
}

std::string TSimBus::Received() const {
  const std::lock_guard Guard(FLock);
  return FReceived;
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

void TSimBus::Dispatch(std::string_view Bytes) {
  const std::lock_guard Guard(FLock);
  // The speed the program set before it wrote these bytes.
  const uint32_t Speed = FPty.LineSpeed();
  FReceived.append(Bytes);
  for (const auto& Device : FDevices) {
    const TSimReply Reply = Device->OnBytes(Speed, Bytes);
    WriteLocked(Reply.Bytes);
    if (Reply.HangUp) {
      // Flagged before the line goes, so whoever sees the hang-up sees the flag too.
      FHungUp = true;
      FPty.Close();
      return;
    }
  }
}

void TSimBus::Run() {
  while (!FHungUp) {
    pollfd Fds[2] = {{FPty.Master(), POLLIN, 0}, {FWakeRead.Get(), POLLIN, 0}};
    if (poll(Fds, 2, -1) < 0) {
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
