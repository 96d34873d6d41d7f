#pragma once
// One serial port opened the way the device expects it: raw 8N1 at 1,500,000 baud, output paced by
// CTS, modem status lines ignored, DTR and RTS raised. The object owns the descriptor.
//
// Reads and writes never block inside the kernel (the descriptor is non-blocking); waiting is done
// with poll() against a deadline. A hang-up (POLLHUP, POLLERR, read() returning 0, EIO) is reported
// as a lost link so the caller can close and reconnect.
//
// A port is used by one program at a time: the open takes an exclusive lock on the device, so a
// second program (or a second instance of this tool) finds the port not available.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "link/PollDeadline.h"

enum class PortOpenError { NotAvailable, SettingsRefused };

// The device of "COM<port>": <configDir>/COM<port> when that entry exists (it may be a symlink to a
// USB adapter or to the emulator's pseudo-terminal, even a dangling one), else /dev/ttyS<port-1>.
std::filesystem::path ComPortDevicePath(const std::filesystem::path& configDir, int port);

class SerialPort {
 public:
  // nullptr with `why` set when the device cannot be opened, is not a terminal or is in use
  // (NotAvailable) or refuses the line settings (SettingsRefused).
  static std::unique_ptr<SerialPort> Open(const std::filesystem::path& device, PortOpenError& why);

  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  enum class Wait { Readable, TimedOut, Woken, Lost };
  // Waits until bytes (or a hang-up) can be read, the deadline passes or `wakeFd` becomes readable.
  Wait WaitReadable(const PollDeadline& deadline, int wakeFd) const;

  struct Transfer {
    int count = 0;
    bool lost = false;  // the link went away; `count` bytes moved before that
  };
  // Takes what is waiting, up to `count` bytes, without waiting.
  Transfer ReadAvailable(uint8_t* buffer, int count) const;
  // Writes `count` bytes, waiting for room until `timeout` passes; a time-out is not a failure,
  // it only leaves count short.
  Transfer Write(const uint8_t* buffer, int count, std::chrono::milliseconds timeout) const;

  // Gives up the claim on the device while the descriptor stays open (a read may still be waiting
  // on a port that failed), so a reconnect to the same device can take it.
  void ReleaseExclusiveUse() const;

 private:
  explicit SerialPort(int fd) : fd_(fd) {}
  int fd_;
};
