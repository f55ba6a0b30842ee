#include "image/map_storage.h"

namespace korvan {

unsigned StoredCell(const ParameterImage&, MapId, int) { return 0; }
void SetStoredCell(ParameterImage&, MapId, int, unsigned) {}
int AxisRpm(const ParameterImage&, MapId, int) { return 0; }
void SetAxisRpm(ParameterImage&, MapId, int, int) {}
int ServoDivisor(const ParameterImage&, MapId) { return 1; }
int ShownByteCell(const ParameterImage&, MapId, int) { return 0; }
void SetShownByteCell(ParameterImage&, MapId, int, int) {}
int PercentFromWord(unsigned, unsigned) { return 0; }
std::uint16_t WordFromPercent(int, unsigned) { return 0; }

}  // namespace korvan
