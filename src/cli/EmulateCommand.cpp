// qrmux emulate: the device emulator on a pseudo-terminal, until SIGINT or SIGTERM.

#include <csignal>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "device/DeviceEmulator.h"

namespace {

sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, s);
  return signals;
}

}  // namespace

int RunEmulate(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {"link", "fault", "store"}, {"unpaced"}, error);
  if (!args) return UsageError("emulate", error);
  if (!args->positional.empty()) return UsageError("emulate", "takes no file");

  EmulatorOptions options;
  options.paced = !args->Has("unpaced");
  if (const auto name = args->Option("fault")) {
    const auto fault = EmulatorFaultFromName(*name);
    if (!fault) return UsageError("emulate", "--fault is one of " + EmulatorFaultNameList());
    options.fault = *fault;
  }
  options.linkPath = args->Option("link").value_or("");
  options.storePath = args->Option("store").value_or("");

  // Block the stop signals before the device's thread starts, so only sigwait below receives them.
  const sigset_t stopSignals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  DeviceEmulator device(options);
  if (const auto failure = device.start()) {
    std::cerr << "qrmux emulate: " << *failure << '\n';
    return kExitFailure;
  }
  std::cout << device.ptyPath().string() << std::endl;
  int received = 0;
  sigwait(&stopSignals, &received);
  device.stop();
  return kExitOk;
}
