#pragma once
// One serial port opened the way the device expects it: raw 8N1 at 1,500,000 baud, output paced by
// CTS, modem status lines ignored, DTR and RTS raised. The object owns the descriptor.
//
// Reads and writes never block inside the kernel (the descriptor is non-blocking); waiting is done
// with poll() against a deadline. A hang-up (POLLHUP, POLLERR, read() returning 0, EIO) is reported
// as a lost link so the caller can close and reconnect.

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
  // nullptr with `why` set when the device cannot be opened or is not a terminal (NotAvailable) or
  // refuses the line settings (SettingsRefused).
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

 private:
  explicit SerialPort(int fd) : fd_(fd) {}
  int fd_;
};
