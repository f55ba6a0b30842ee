#include "emulator/engine_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "image/map_storage.h"

namespace korvan {
namespace {

constexpr double kProbeLagMs = 120.0;
constexpr double kProbeStep = 0.02;  // the mixture span of the probe's step
constexpr double kNoiseMv = 15.0;

int NearestColumn(const ParameterImage& image, int rpm) {
  int best = 0;
  for (int column = 1; column < kMapColumns; ++column) {
    if (std::abs(AxisRpm(image, MapId::kInj1A, column) - rpm) <
        std::abs(AxisRpm(image, MapId::kInj1A, best) - rpm)) {
      best = column;
    }
  }
  return best;
}

int NearestRow(int throttle_permille) {
  int best = 0;
  for (int row = 1; row < kMapRows; ++row) {
    if (std::abs(kThrottleRows[static_cast<std::size_t>(row)] * 10 - throttle_permille) <
        std::abs(kThrottleRows[static_cast<std::size_t>(best)] * 10 - throttle_permille)) {
      best = row;
    }
  }
  return best;
}

}  // namespace

void EngineModel::Measure(const ParameterImage& reference) {
  for (int cell = 0; cell < kMapCells; ++cell) {
    needed_[static_cast<std::size_t>(cell)] =
        StoredCell(reference, MapId::kInj1A, cell) * (1.0 + fuel_error_ / 100.0);
  }
  measured_ = true;
}

double EngineModel::Mixture(const ParameterImage& image, int rpm, int throttle_permille) const {
  const int cell = CellIndex(NearestRow(throttle_permille), NearestColumn(image, rpm));
  const double injected = StoredCell(image, MapId::kInj1A, cell);
  // Not measured yet: the map given now is the one the engine was measured on.
  const double needed =
      measured_ ? needed_[static_cast<std::size_t>(cell)] : injected * (1.0 + fuel_error_ / 100.0);
  if (needed <= 0.0) return injected > 0.0 ? 2.0 : 1.0;
  return injected / needed;
}

double EngineModel::ProbeVoltage(double mixture) {
  return 450.0 + 400.0 * std::tanh((mixture - 1.0) / (kProbeStep / 2.0));
}

int EngineModel::AdvanceProbe(double mixture, int milliseconds) {
  if (milliseconds > 0) {
    const double follow = 1.0 - std::exp(-static_cast<double>(milliseconds) / kProbeLagMs);
    probe_mv_ += (ProbeVoltage(mixture) - probe_mv_) * follow;
  }
  noise_ = noise_ * 1664525u + 1013904223u;
  const double noise =
      (static_cast<double>(noise_ >> 8) / static_cast<double>(1u << 24) - 0.5) * 2.0 * kNoiseMv;
  return std::clamp(static_cast<int>(std::lround(probe_mv_ + noise)), 0, 1100);
}

}  // namespace korvan
