#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace korvan {

OpenFailure OpenFailureFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return OpenFailure::kMissing;  // unplugged, or the driver has no such line
    case EACCES:
    case EPERM:
      return OpenFailure::kPermission;  // the device belongs to the dialout group
    case EBUSY:
      return OpenFailure::kBusy;  // another program holds the line exclusively
    default:
      return OpenFailure::kOther;
  }
}

bool ConfigureStationLine(int fd) {
  termios line{};
  if (tcgetattr(fd, &line) != 0) return false;
  cfmakeraw(&line);
  cfsetispeed(&line, B57600);
  cfsetospeed(&line, B57600);
  line.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
  line.c_cflag |= CS8 | CLOCAL | CREAD;
  line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  line.c_cc[VMIN] = 0;
  line.c_cc[VTIME] = 0;
  return tcsetattr(fd, TCSANOW, &line) == 0;
}

bool PosixSerialPort::Open(const std::string& device) {
  Close();
  failure_ = OpenFailure::kNone;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure_ = OpenFailureFromErrno(errno);
    return false;
  }
  // Exclusive: a second program opening the same line would steal the unit's replies.
  if (!isatty(fd) || ioctl(fd, TIOCEXCL) != 0) {
    ::close(fd);
    failure_ = OpenFailure::kOther;
    return false;
  }
  restore_ = tcgetattr(fd, &saved_) == 0;
  if (!ConfigureStationLine(fd)) {
    ::close(fd);
    failure_ = OpenFailure::kOther;
    return false;
  }
  fd_ = fd;
  tcflush(fd_, TCIOFLUSH);
  return true;
}

std::size_t PosixSerialPort::BytesWaiting() {
  if (fd_ < 0) return 0;
  int waiting = 0;
  if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
  return static_cast<std::size_t>(waiting);
}

std::size_t PosixSerialPort::Read(std::span<std::uint8_t> out) {
  if (fd_ < 0) return 0;
  std::size_t total = 0;
  while (total < out.size()) {
    const ssize_t n = ::read(fd_, out.data() + total, out.size() - total);
    if (n > 0) {
      total += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // nothing more waiting, or the device went away
    }
  }
  return total;
}

bool PosixSerialPort::WriteAndDrain(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  int idle_rounds = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      idle_rounds = 0;
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      // The driver's queue is full: give it a character time or two, but never hang the station
      // on a line that stopped moving.
      if (++idle_rounds > 200) return false;
      usleep(500);
    } else {
      return false;
    }
  }
  return tcdrain(fd_) == 0;
}

void PosixSerialPort::PurgeReads() {
  if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
}

void PosixSerialPort::Close() {
  if (fd_ < 0) return;
  if (restore_) tcsetattr(fd_, TCSANOW, &saved_);
  ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  restore_ = false;
}

}  // namespace korvan
