#include "image/consistency.h"

namespace korvan {

ConsistencyResult ApplyConsistencyRules(ParameterImage&, StationSettings&) { return {}; }

}  // namespace korvan
