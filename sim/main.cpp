// sim_bus [--scenario FILE]: creates the simulated line, prints the path of the port for the
// program to open (one line on stdout) and serves until it is killed or its stdin is closed.
// Without a scenario the line holds one normal converter. A stdin that is not a pipe, socket or
// terminal (such as /dev/null) is not watched.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "sim/converter.h"
#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "sim/unique_fd.h"

namespace {

bool StdinCanClose() {
  struct stat Info {};
  if (fstat(STDIN_FILENO, &Info) != 0) return false;
  return S_ISFIFO(Info.st_mode) || S_ISSOCK(Info.st_mode) || isatty(STDIN_FILENO);
}

std::vector<std::unique_ptr<TSimDevice>> LoadDevices(int argc, char** argv) {
  if (argc == 1) {
    std::vector<std::unique_ptr<TSimDevice>> Devices;
    Devices.push_back(std::make_unique<TSimConverter>(TConverterSettings{}));
    return Devices;
  }
  if (argc != 3 || std::strcmp(argv[1], "--scenario") != 0)
    throw std::runtime_error("usage: sim_bus [--scenario FILE]");
  std::ifstream File(argv[2], std::ios::binary);
  if (!File) throw std::runtime_error(std::string("cannot read ") + argv[2]);
  std::ostringstream Text;
  Text << File.rdbuf();
  return ParseScenario(Text.str());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    auto Devices = LoadDevices(argc, argv);
    // Blocked before the device thread starts, so only the signal descriptor sees them.
    sigset_t Signals;
    sigemptyset(&Signals);
    sigaddset(&Signals, SIGINT);
    sigaddset(&Signals, SIGTERM);
    sigaddset(&Signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &Signals, nullptr);
    const TUniqueFd SignalFd(signalfd(-1, &Signals, SFD_CLOEXEC));
    if (!SignalFd.Valid()) throw std::runtime_error("signalfd failed");

    TSimBus Bus;
    for (auto& Device : Devices) Bus.Add(std::move(Device));
    std::printf("%s\n", Bus.SlavePath().c_str());
    std::fflush(stdout);

    const bool WatchStdin = StdinCanClose();
    for (;;) {
      pollfd Fds[2] = {{SignalFd.Get(), POLLIN, 0}, {WatchStdin ? STDIN_FILENO : -1, POLLIN, 0}};
      if (poll(Fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (Fds[0].revents) break;
      if (Fds[1].revents) {
        char Buffer[256];
        if (read(STDIN_FILENO, Buffer, sizeof Buffer) <= 0) break;
      }
    }
  } catch (const std::exception& Error) {
    std::cerr << "sim_bus: " << Error.what() << '\n';
    return 1;
  }
  return 0;
}
