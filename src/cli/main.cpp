// qrmux: the configuration tool's command line. Every subcommand runs the same code as the window.

#include <cstring>
#include <iostream>
#include <string>

#include "cli/Commands.h"

namespace {

constexpr Subcommand kSubcommands[] = {
    {"image", "image MUXFILE -o IMAGEFILE [--version N]", "write the configuration image Send would build",
     "The PAT carries version N (0..31, default 1). A configuration Send refuses (empty, or more than the\n"
     "image's lists hold) is refused here too. The record is used as stored, pacing included.\n",
     RunImage},
    {"parse", "parse IMAGEFILE -o MUXFILE [--base MUXFILE]", "read a played-back image into a record as Get does",
     "Starts from the base record (or an empty one) and writes the result as a .MUX file.\n", RunParse},
    {"show", "show MUXFILE [--json]", "print a record for people, or as JSON for scripts",
     "JSON uses the record's field names; names are decoded from Windows-1252.\n", RunShow},
    {"pacing", "pacing RATE [--pack]", "print the pacing and the effective rate of a bit rate",
     "Byte mode unless --pack. Rates whose pacing does not fit the device are refused with the accepted range.\n",
     RunPacing},
    {"send", "send MUXFILE (--port N | --device PATH) [--version N]", "load a record into the device and verify it",
     "Prints \"Process successful!\" or \"Error N\" (the transfer's result code); exit 0 only on success.\n"
     "--port N opens COMn (Config/COMn beside qrmux when it exists); --device opens a path directly.\n",
     RunSend},
    {"get", "get -o MUXFILE (--port N | --device PATH) [--base MUXFILE]", "read the device's configuration back",
     "Plays the device's image back and writes it as a record, starting from the base record or an empty one.\n",
     RunGet},
    {"emulate", "emulate [--link PATH] [--unpaced] [--fault MODE] [--store FILE]", "run the device emulator",
     "Prints the pseudo-terminal's path first, then serves until interrupted. --link makes a symlink to it,\n"
     "--store writes each loaded image to FILE, --unpaced plays back as fast as the line takes it.\n"
     "Fault modes: silent, corrupt, noise, double-header, hangup, link-lost.\n",
     RunEmulate},
};

void PrintOverview(std::ostream& out) {
  out << "usage: qrmux <command> [options]\n\ncommands:\n";
  for (const Subcommand& s : kSubcommands) out << "  " << s.name << std::string(10 - std::strlen(s.name), ' ') << s.summary << '\n';
  out << "\n`qrmux <command> --help` describes one command.\n";
}

const Subcommand* Find(const std::string& name) {
  for (const Subcommand& s : kSubcommands)
    if (name == s.name) return &s;
  return nullptr;
}

}  // namespace

int UsageError(const char* subcommand, const std::string& reason) {
  std::cerr << "qrmux " << subcommand << ": " << reason << "\nusage: qrmux " << Find(subcommand)->usage << '\n';
  return kExitUsage;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintOverview(std::cerr);
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintOverview(std::cout);
    return kExitOk;
  }
  const Subcommand* command = Find(name);
  if (!command) {
    std::cerr << "qrmux: unknown command '" << name << "'\n";
    PrintOverview(std::cerr);
    return kExitUsage;
  }
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << "usage: qrmux " << command->usage << "\n\n" << command->summary << ".\n" << command->details;
      return kExitOk;
    }
  }
  return command->run(argc - 2, argv + 2);
}
