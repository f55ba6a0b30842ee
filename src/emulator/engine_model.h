#pragma once

#include <array>
#include <cstdint>

#include "image/parameter_image.h"

namespace korvan {

// An engine that answers the maps the emulated unit holds, for the demo and for tuning tests.
//
// What it is: at each operating point the engine needs a fuel amount; the unit injects what its
// Inj-1A map gives for the nearest cell (its stored time, which the station shows as percent of
// the cell's base time). The engine's need is measured once, from the map it is first given,
// raised by a known error (`fuel_error_percent`, as if the maps had been tuned on another
// engine): that map runs `fuel_error_percent` lean everywhere, and a cell raised by the error
// runs at the stoichiometric point. Later maps (a tuner's edits, programmed) change what is
// injected, not what the engine needs. The mixture is injected over
// needed; a narrow-band lambda probe answers it: well above its switching point (about 850 mV)
// when rich, well below (about 50 mV) when lean, a steep step of about 2 % around the
// stoichiometric mixture, a short lag (120 ms) and some noise (about 15 mV).
//
// What it is not: no combustion, no air flow, no temperatures or accelerations in the mixture,
// no wide-band reading; the other channels of the monitor frame stay the unit's usual sweep.
class EngineModel {
 public:
  explicit EngineModel(double fuel_error_percent = 0.0) : fuel_error_(fuel_error_percent) {}

  // Takes the engine's need from this set's Inj-1A map and the error.
  void Measure(const ParameterImage& reference);
  bool measured() const { return measured_; }
  // The mixture at an operating point: what the unit injects over what the engine needs
  // (1.0 stoichiometric, above rich, below lean).
  double Mixture(const ParameterImage& image, int rpm, int throttle_permille) const;
  // The probe's voltage for a mixture with no lag and no noise [mV].
  static double ProbeVoltage(double mixture);
  // Moves the probe on by `milliseconds` towards the voltage of `mixture`; returns what it reads.
  int AdvanceProbe(double mixture, int milliseconds);
  int probe_mv() const { return static_cast<int>(probe_mv_ + 0.5); }

 private:
  double fuel_error_;
  bool measured_ = false;
  std::array<double, 150> needed_{};
  double probe_mv_ = 450.0;
  std::uint32_t noise_ = 12345;  // a fixed sequence: runs repeat exactly
};

}  // namespace korvan
