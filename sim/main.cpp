// sim_bus [--pace] [--scenario FILE] [--image FILE]: creates the simulated line, prints the path
// of the port for the program to open (one line on stdout) and serves until it is killed or its
// stdin is closed. Without a scenario the line holds the default one (scenario.h). --pace makes
// answers take their time on the wire. --image first writes a firmware image file that the
// simulated boot loaders take whole, unless a scenario gives them another image size. A stdin that
// is not a pipe, socket or terminal (such as /dev/null) is not watched.
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

#include "sim/boot_loader.h"
#include "sim/image_writer.h"
#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "sim/unique_fd.h"

namespace {

bool StdinCanClose() {
  struct stat Info {};
  if (fstat(STDIN_FILENO, &Info) != 0) return false;
  return S_ISFIFO(Info.st_mode) || S_ISSOCK(Info.st_mode) || isatty(STDIN_FILENO);
}

struct TOptions {
  bool Pace = false;
  const char* Scenario = nullptr;
  const char* Image = nullptr;
};

TOptions ReadOptions(int argc, char** argv) {
  TOptions Options;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--pace") == 0 && !Options.Pace)
      Options.Pace = true;
    else if (std::strcmp(argv[I], "--scenario") == 0 && I + 1 < argc && !Options.Scenario)
      Options.Scenario = argv[++I];
    else if (std::strcmp(argv[I], "--image") == 0 && I + 1 < argc && !Options.Image)
      Options.Image = argv[++I];
    else
      throw std::runtime_error("usage: sim_bus [--pace] [--scenario FILE] [--image FILE]");
  }
  return Options;
}

std::vector<std::unique_ptr<TSimDevice>> LoadDevices(const TOptions& Options) {
  if (!Options.Scenario) return ParseScenario(DefaultScenario);
  std::ifstream File(Options.Scenario, std::ios::binary);
  if (!File) throw std::runtime_error(std::string("cannot read ") + Options.Scenario);
  std::ostringstream Text;
  Text << File.rdbuf();
  return ParseScenario(Text.str());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const TOptions Options = ReadOptions(argc, argv);
    auto Devices = LoadDevices(Options);
    if (Options.Image) {
      TImagePlan Sample;
      Sample.Lines = {"Sample firmware for the simulated controllers", "V1.0 build 1"};
      Sample.Firmware = SampleFirmware(TLoaderSettings{}.ImageSize - 4);
      WriteImageFile(Options.Image, Sample);
    }
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
    Bus.SetPacing(Options.Pace);
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
