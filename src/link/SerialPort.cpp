#include "link/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "sys/OwnedFd.h"

namespace {

constexpr speed_t kLineSpeed = B1500000;

template <class Flags>
void ClearBits(Flags& flags, Flags bits) {
  flags = static_cast<Flags>(flags & ~bits);
}

// Raw 8N1: no character translation, no echo, no signals, no software flow control; the receiver
// on, modem status lines ignored, output waits for CTS.
void SetLineSettings(termios& t) {
  ClearBits<tcflag_t>(t.c_iflag, IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                     IXOFF | IXANY | INPCK);
  ClearBits<tcflag_t>(t.c_oflag, OPOST);
  ClearBits<tcflag_t>(t.c_lflag, ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  ClearBits<tcflag_t>(t.c_cflag, CSIZE | PARENB | CSTOPB);
  t.c_cflag |= CS8 | CREAD | CLOCAL | CRTSCTS;
  t.c_cc[VMIN] = 0;  // reads return what is there; the time-outs are ours
  t.c_cc[VTIME] = 0;
}

bool IsHangUp(short revents) { return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0; }

}  // namespace

std::filesystem::path ComPortDevicePath(const std::filesystem::path& configDir, int port) {
  const auto link = configDir / ("COM" + std::to_string(port));
  struct stat entry{};
  if (lstat(link.c_str(), &entry) == 0) return link;
  return "/dev/ttyS" + std::to_string(port - 1);
}

std::unique_ptr<SerialPort> SerialPort::Open(const std::filesystem::path& device, PortOpenError& why) {
  why = PortOpenError::NotAvailable;
  OwnedFd fd(open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return nullptr;
  termios settings{};
  if (tcgetattr(fd.get(), &settings) != 0) return nullptr;  // not a terminal
  if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return nullptr;  // in use by another program

  why = PortOpenError::SettingsRefused;
  SetLineSettings(settings);
  if (cfsetispeed(&settings, kLineSpeed) != 0 || cfsetospeed(&settings, kLineSpeed) != 0) return nullptr;
  if (tcsetattr(fd.get(), TCSANOW, &settings) != 0) return nullptr;
  // tcsetattr succeeds when any one setting took; a UART that cannot run the line speed keeps another.
  termios applied{};
  if (tcgetattr(fd.get(), &applied) != 0 || cfgetospeed(&applied) != kLineSpeed) return nullptr;

  // Pseudo-terminals have no modem lines (ENOTTY): that is no reason to refuse the port.
  const int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd.get(), TIOCMBIS, &lines);
  return std::unique_ptr<SerialPort>(new SerialPort(fd.release()));
}

// Output still waiting for CTS is dropped first: a device that holds CTS low would otherwise keep
// close() waiting for the driver's close delay, and Disconnect with it.
SerialPort::~SerialPort() {
  tcflush(fd_, TCOFLUSH);
  close(fd_);
}

void SerialPort::ReleaseExclusiveUse() const { flock(fd_, LOCK_UN); }

SerialPort::Wait SerialPort::WaitReadable(const PollDeadline& deadline, int wakeFd) const {
  pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  const nfds_t count = wakeFd >= 0 ? 2 : 1;
  for (;;) {
    const int ready = poll(fds, count, deadline.RemainingMs());
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return Wait::Lost;
    if (ready == 0) return Wait::TimedOut;
    if (count == 2 && (fds[1].revents & POLLIN)) return Wait::Woken;
    if (fds[0].revents & POLLNVAL) return Wait::Lost;
    return Wait::Readable;  // data or a hang-up: the read tells which
  }
}

SerialPort::Transfer SerialPort::ReadAvailable(uint8_t* buffer, int count) const {
  for (;;) {
    const auto got = read(fd_, buffer, static_cast<size_t>(count));
    if (got > 0) return {static_cast<int>(got), false};
    if (got == 0) return {0, true};  // readable but empty: the other end hung up
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {0, false};
    return {0, true};  // EIO and the like: the line is gone
  }
}

SerialPort::Transfer SerialPort::Write(const uint8_t* buffer, int count,
                                       std::chrono::milliseconds timeout) const {
  const PollDeadline deadline(timeout);
  Transfer done;
  while (done.count < count) {
    const auto put = write(fd_, buffer + done.count, static_cast<size_t>(count - done.count));
    if (put > 0) {
      done.count += static_cast<int>(put);
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      done.lost = true;
      return done;
    }
    pollfd room{fd_, POLLOUT, 0};
    int ready = 0;
    do {
      ready = poll(&room, 1, deadline.RemainingMs());
    } while (ready < 0 && errno == EINTR);
    if (ready < 0 || (ready > 0 && IsHangUp(room.revents))) {
      done.lost = true;
      return done;
    }
    if (ready == 0) return done;  // the time-out: what is written stays written
  }
  return done;
}
