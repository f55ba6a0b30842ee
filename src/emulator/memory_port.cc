#include "emulator/memory_port.h"

#include <algorithm>

#include "base/tick.h"

namespace korvan {

bool MemoryUnitPort::Open(const std::string& device) {
  last_device_ = device;
  ++open_count_;
  open_ = present_;
  received_.clear();
  return open_;
}

std::size_t MemoryUnitPort::BytesWaiting() { return open_ ? received_.size() : 0; }

std::size_t MemoryUnitPort::Read(std::span<std::uint8_t> out) {
  if (!open_) return 0;
  const std::size_t n = std::min(out.size(), received_.size());
  std::copy_n(received_.begin(), n, out.begin());
  received_.erase(received_.begin(), received_.begin() + static_cast<long>(n));
  return n;
}

bool MemoryUnitPort::WriteAndDrain(std::span<const std::uint8_t> bytes) {
  if (!open_) return false;
  write_buffer_.insert(write_buffer_.end(), bytes.begin(), bytes.end());
  while (write_buffer_.size() >= static_cast<std::size_t>(kFrameSize)) {
    LinkFrame frame{};
    std::copy_n(write_buffer_.begin(), kFrameSize, frame.begin());
    write_buffer_.erase(write_buffer_.begin(), write_buffer_.begin() + kFrameSize);
    sent_.push_back(frame);
    UnitReply reply = unit_.Answer(frame);
    if (reply.size == 0) continue;
    Pending pending{tick_ + unit_.fault().late_ticks, reply};
    if (unit_.fault().late_ticks == 0) {
      received_.insert(received_.end(), reply.bytes.begin(),
                       reply.bytes.begin() + static_cast<long>(reply.size));
    } else {
      pending_.push_back(pending);
    }
  }
  return true;
}

void MemoryUnitPort::AdvanceTick() {
  ++tick_;
  unit_.Advance(kTickMs);
  while (!pending_.empty() && pending_.front().due_tick <= tick_) {
    const UnitReply& reply = pending_.front().reply;
    if (open_) {
      received_.insert(received_.end(), reply.bytes.begin(),
                       reply.bytes.begin() + static_cast<long>(reply.size));
    }
    pending_.pop_front();
  }
}

void MemoryUnitPort::Inject(std::span<const std::uint8_t> bytes) {
  received_.insert(received_.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> MemoryUnitPort::SentCodes() const {
  std::vector<std::uint8_t> codes;
  codes.reserve(sent_.size());
  for (const LinkFrame& frame : sent_) codes.push_back(frame[0]);
  return codes;
}

}  // namespace korvan
