#include "device/PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "sys/OwnedFd.h"

namespace {

std::string Failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::Open(std::string& error) {
  OwnedFd master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (master.get() < 0) {
    error = Failed("posix_openpt");
    return nullptr;
  }
  std::array<char, 128> name{};
  if (grantpt(master.get()) != 0 || unlockpt(master.get()) != 0 ||
      ptsname_r(master.get(), name.data(), name.size()) != 0) {
    error = Failed("pseudo-terminal set-up");
    return nullptr;
  }
  if (fcntl(master.get(), F_SETFL, O_NONBLOCK) != 0) {
    error = Failed("fcntl");
    return nullptr;
  }
  OwnedFd slave(open(name.data(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  termios raw{};
  if (slave.get() < 0 || tcgetattr(slave.get(), &raw) != 0) {
    error = Failed(name.data());
    return nullptr;
  }
  // Raw from the start: nothing the tool writes before it sets its own mode is echoed back.
  cfmakeraw(&raw);
  if (tcsetattr(slave.get(), TCSANOW, &raw) != 0) {
    error = Failed("tcsetattr");
    return nullptr;
  }
  return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master.release(), slave.release(), name.data()));
}

PseudoTerminal::~PseudoTerminal() {
  close(master_);  // first: the tool's end sees the hang-up
  close(slave_);
}
