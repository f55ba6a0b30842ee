#pragma once

#include <array>
#include <string>

namespace korvan {

inline constexpr int kPortCount = 20;  // "Com 1" .. "Com 20"

// The station numbers its ports 1..20 ("Com n"). On this platform each number stands for a device
// path; the defaults follow the usual USB serial adapters and can be changed per port.
class PortMap {
 public:
  PortMap();
  // Device of port index 0..19.
  const std::string& Device(int index) const;
  void SetDevice(int index, std::string device);
  static std::string DefaultDevice(int index);

 private:
  std::array<std::string, kPortCount> devices_;
};

}  // namespace korvan
