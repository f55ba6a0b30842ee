// korvan-unit: an emulated engine control unit on a pseudo-terminal.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "emulator/unit_emulator.h"
#include "emulator/unit_options.h"
#include "platform/pty_unit_server.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop.store(true); }

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto options = korvan::ParseUnitOptions(args, &error);
  if (!options) {
    std::fprintf(stderr, "korvan-unit: %s\n%s", error.c_str(), korvan::kUnitUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(korvan::kUnitUsage, stdout);
    return 0;
  }
  korvan::UnitEmulator unit;
  unit.fault() = options->fault;
  if (options->engine) unit.UseEngineModel(korvan::EngineModel(options->fuel_error_percent));
  korvan::PtyUnitServer server(unit);
  if (!server.Start(&error)) {
    std::fprintf(stderr, "korvan-unit: %s\n", error.c_str());
    return 1;
  }
  if (!options->link_path.empty()) {
    ::unlink(options->link_path.c_str());
    if (::symlink(server.path().c_str(), options->link_path.c_str()) != 0) {
      std::fprintf(stderr, "korvan-unit: cannot create the link %s\n", options->link_path.c_str());
      return 1;
    }
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("%s\n", server.path().c_str());
  std::fflush(stdout);
  server.Serve(g_stop);
  if (!options->link_path.empty()) ::unlink(options->link_path.c_str());
  return 0;
}
