#pragma once

#include <cstdio>
#include <string>

#include "link/port_discovery.h"
#include "link/port_map.h"

namespace korvan {

// `korvan ports`: every "Com n" with its device, whether it is plugged in and what it is, then the
// stable /dev/serial/by-id names, which may be put in [PORTS] like any device.
void PrintPortList(const PortMap& map, const PortDiscovery& discovery,
                   const std::string& settings_path, std::FILE* out);

}  // namespace korvan
