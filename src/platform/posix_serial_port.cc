#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
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
  holder_.reset();
  // Exclusive: a second program on the same line would take the unit's replies. The lock file
  // first, so that a program which names itself there is named to the tuner.
  if (lock_file_.Take(device, LineLockFolder()) == LineLockFile::Outcome::kHeld) {
    failure_ = OpenFailure::kBusy;
    if (const pid_t pid = lock_file_.holder(); pid > 0) holder_ = {pid, ProcessProgram(pid)};
    return false;
  }
  const auto fail = [this](int fd, OpenFailure why) {
    if (fd >= 0) ::close(fd);
    lock_file_.Release();
    failure_ = why;
    return false;
  };
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(-1, OpenFailureFromErrno(errno));
  // Programs that lock the device itself (terminal programs, other stations); root is not let
  // past it, as it is past TIOCEXCL.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return fail(fd, errno == EWOULDBLOCK ? OpenFailure::kBusy : OpenFailure::kOther);
  }
  if (!isatty(fd) || ioctl(fd, TIOCEXCL) != 0) return fail(fd, OpenFailure::kOther);
  restore_ = tcgetattr(fd, &saved_) == 0;
  if (!ConfigureStationLine(fd)) return fail(fd, OpenFailure::kOther);
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
  ::close(fd_);  // lets go of the flock with it
  fd_ = -1;
  restore_ = false;
  lock_file_.Release();
}

}  // namespace korvan
