// qrmux send and get: the window's Send and Get, on a port or device given on the command line.

#include <iostream>
#include <memory>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RecordFiles.h"
#include "config/AppPaths.h"
#include "link/DeviceCommands.h"
#include "link/Ser350.h"

namespace {

constexpr long kMaxPsiVersion = 31;
constexpr long kHighestComPort = 9;

// Where the device is: a COM port number, or a device path given directly.
struct LinkTarget {
  int port = 0;
  std::string device;
};

// The target named by --port N or --device PATH; nullopt after a usage error.
std::optional<LinkTarget> TargetOf(const char* subcommand, const Arguments& args, int& exitCode) {
  if (args.Has("port") == args.Has("device")) {
    exitCode = UsageError(subcommand, "give either --port N or --device PATH");
    return std::nullopt;
  }
  if (const auto device = args.Option("device")) return LinkTarget{0, *device};
  const auto port = WholeNumber(*args.Option("port"), 1, kHighestComPort);
  if (!port) {
    exitCode = UsageError(subcommand, "--port takes a number from 1 to 9");
    return std::nullopt;
  }
  return LinkTarget{static_cast<int>(*port), {}};
}

// Link errors are printed as they happen.
bool OpenLink(const LinkTarget& target) {
  SetLinkMessageSink([](const std::string& text) { std::cerr << text << '\n'; });
  const int opened = target.device.empty() ? LinkOpen(target.port) : LinkOpenDevice(target.device, target.device);
  return opened == 1;
}

// The image files go to the Config folder beside qrmux, as the window's do.
std::optional<AppPaths> WorkingPaths() {
  AppPaths paths = PathsOfRunningExecutable();
  if (!EnsureConfigDir(paths)) {
    std::cerr << paths.configDir.string() << ": the Config folder cannot be created.\n";
    return std::nullopt;
  }
  return paths;
}

// Closes the link however the command ends.
struct LinkSession {
  ~LinkSession() { LinkClose(); }
};

}  // namespace

int RunSend(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {"port", "device", "version"}, {}, error);
  if (!args) return UsageError("send", error);
  if (args->positional.size() != 1) return UsageError("send", "give one MUXFILE");
  const auto version = WholeNumber(args->Option("version").value_or("1"), 0, kMaxPsiVersion);
  if (!version) return UsageError("send", "--version takes a number from 0 to 31");
  int exitCode = kExitOk;
  const auto target = TargetOf("send", *args, exitCode);
  if (!target) return exitCode;

  auto cfg = std::make_unique<MuxConfig>();
  if (!LoadRecord(args->positional[0], *cfg)) return kExitFailure;
  if (const auto refusal = SendRefusal(*cfg)) {
    std::cerr << *refusal << '\n';
    return kExitFailure;
  }
  const auto paths = WorkingPaths();
  if (!paths) return kExitFailure;
  if (!OpenLink(*target)) return kExitFailure;
  LinkSession session;
  const int result = BuildImage(*cfg, static_cast<int>(*version), *paths);
  if (result != 0) {
    std::cout << "Error " << result << '\n';
    return kExitFailure;
  }
  std::cout << "Process successful!\n";
  return kExitOk;
}

int RunGet(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {"o", "port", "device", "base"}, {}, error);
  if (!args) return UsageError("get", error);
  if (!args->positional.empty() || !args->Has("o")) return UsageError("get", "give -o MUXFILE");
  int exitCode = kExitOk;
  const auto target = TargetOf("get", *args, exitCode);
  if (!target) return exitCode;

  auto cfg = std::make_unique<MuxConfig>();
  if (const auto base = args->Option("base"); base && !LoadRecord(*base, *cfg)) return kExitFailure;
  const auto paths = WorkingPaths();
  if (!paths) return kExitFailure;
  if (!OpenLink(*target)) return kExitFailure;
  LinkSession session;
  int psiVersion = 0;
  const GetOutcome outcome = GetFromDevice(*cfg, psiVersion, *paths);
  if (outcome.receiveResult != 0) {
    std::cerr << "Mux memory is empty!\n";
    return kExitFailure;
  }
  for (int i = 0; i < outcome.parsed.badMapPackets; ++i) std::cerr << "Error in file.\n";
  if (!SaveRecord(*args->Option("o"), *cfg)) return kExitFailure;
  std::cout << "PAT version " << psiVersion << ", " << outcome.parsed.programCount << " programs\n";
  return kExitOk;
}
