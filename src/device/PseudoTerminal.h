#pragma once
// The device's end of an emulated serial line: a pseudo-terminal whose other end (the slave path)
// the configuration tool opens as its port.
//
// The emulator keeps a descriptor of the slave open itself, so the tool may close and reopen the
// port as often as it likes without the master seeing a hang-up; closing the pseudo-terminal is
// what the tool sees as a pulled cable.

#include <filesystem>
#include <memory>
#include <string>

class PseudoTerminal {
 public:
  // A raw, non-blocking pseudo-terminal; nullptr with `error` set when none can be had.
  static std::unique_ptr<PseudoTerminal> Open(std::string& error);

  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int master() const { return master_; }
  const std::filesystem::path& slavePath() const { return slavePath_; }

 private:
  PseudoTerminal(int master, int slave, std::filesystem::path slavePath)
      : master_(master), slave_(slave), slavePath_(std::move(slavePath)) {}

  int master_;
  int slave_;
  std::filesystem::path slavePath_;
};
