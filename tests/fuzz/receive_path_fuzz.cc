// Any byte stream from the port goes through the station's receive path: the poll, the routing,
// the monitor decoder and the session's reply handler, while a run is under way or not. The
// station holds its start set and the unit is silent, so only the fuzzer's bytes arrive; when
// the session asks for the consistency rules (a completed read, an identity), they run over
// whatever arrived, as in the station.
//
// The start set and the silent unit (which holds its own default set) are built once per
// process; each input starts from copies of them, so it pays only for what its bytes drive.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/device_loop.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "files/parameter_set_check.h"
#include "image/consistency.h"
#include "image/field_dictionary.h"
#include "model/default_set.h"
#include "receive_path_input.h"

namespace {

using korvan::fuzz::FuzzRun;

class RulesHost : public korvan::DeviceHost {
 public:
  explicit RulesHost(korvan::ParameterImage& image) : image_(image) {}
  void ShowLinkMessage(const korvan::PortOpenReport&) override {}
  void ApplyConsistencyAndRefresh() override {
    korvan::StationSettings settings{0, 0};
    korvan::ApplyConsistencyRules(image_, settings);
  }
  void ShowVersionMismatch(std::uint8_t) override {}

 private:
  korvan::ParameterImage& image_;
};

struct Prepared {
  korvan::ParameterImage start_set = korvan::DefaultParameterSet(korvan::kStartBikeCode);
  korvan::UnitEmulator unit = [] {
    korvan::UnitEmulator unit;
    unit.fault().silent = true;
    return unit;
  }();
};

const Prepared& Snapshot() {
  static const Prepared prepared;
  return prepared;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < korvan::fuzz::kReceiveHeaderSize) return 0;
  korvan::ParameterImage image = Snapshot().start_set;
  korvan::UnitEmulator unit = Snapshot().unit;
  korvan::IdentityBlock identity;
  korvan::DirtyBlockSet dirty;
  korvan::MemoryUnitPort port(unit);
  RulesHost host(image);
  korvan::DeviceLoop loop(image, identity, dirty, port, host);
  image.SetByte(korvan::kCylinderCountOffset, static_cast<std::uint8_t>(data[1] % 6));
  loop.link().OpenLink();
  switch (static_cast<FuzzRun>(data[0] % korvan::fuzz::kRunCount)) {
    case FuzzRun::kRead:
      loop.session().StartRead();
      break;
    case FuzzRun::kVerify:
      loop.session().StartVerify();
      break;
    case FuzzRun::kProgram:
      loop.session().StartProgram();
      break;
    case FuzzRun::kIdle:
      break;
  }
  std::size_t pos = korvan::fuzz::kReceiveHeaderSize;
  while (pos < size) {
    const std::size_t piece = std::min(size - pos - 1, korvan::fuzz::PieceSize(data[pos]));
    ++pos;
    port.Inject(std::span<const std::uint8_t>(data + pos, piece));
    pos += piece;
    port.AdvanceTick();
    loop.Tick();
  }
  // A few silent ticks let the session's time-outs and the monitor requests run.
  for (int i = 0; i < 8; ++i) loop.Tick();
  return 0;
}
