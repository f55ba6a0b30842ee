// Any byte stream from the port goes through the station's receive path: the poll, the routing,
// the monitor decoder and the session's reply handler, while a run is under way or not.
#include <cstddef>
#include <cstdint>
#include <span>

#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "shell/device_loop.h"

namespace {

struct QuietHost : korvan::DeviceHost {
  void ShowLinkMessage(korvan::MessageKey) override {}
  void ApplyConsistencyAndRefresh() override {}
  void ShowVersionMismatch(std::uint8_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  korvan::ParameterImage image;
  korvan::IdentityBlock identity;
  korvan::DirtyBlockSet dirty;
  korvan::UnitEmulator unit;
  unit.fault().silent = true;  // only the fuzzer's bytes arrive
  korvan::MemoryUnitPort port(unit);
  QuietHost host;
  korvan::DeviceLoop loop(image, identity, dirty, port, host);
  loop.set_cylinders(data[1] % 6);
  loop.link().OpenLink();
  switch (data[0] % 4) {
    case 1: loop.session().StartRead(); break;
    case 2: loop.session().StartVerify(); break;
    case 3: loop.session().StartProgram(); break;
    default: break;
  }
  // The rest arrives in pieces whose sizes the input chooses, one piece per tick.
  std::size_t pos = 2;
  while (pos < size) {
    const std::size_t piece = std::min<std::size_t>(size - pos, 1 + data[pos] * 4u);
    port.Inject(std::span<const std::uint8_t>(data + pos, piece));
    pos += piece;
    port.AdvanceTick();
    loop.Tick();
  }
  for (int i = 0; i < 8; ++i) loop.Tick();
  return 0;
}
