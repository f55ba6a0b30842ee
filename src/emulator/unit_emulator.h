#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "emulator/engine_model.h"
#include "image/parameter_image.h"
#include "link/link_frame.h"

namespace korvan {

// Ways the emulated unit can misbehave, one switch each, so every failure path of the station can
// be shown on demand.
struct UnitFault {
  bool silent = false;             // answers nothing
  bool bad_check_byte = false;     // every reply fails the check
  bool wrong_reply_code = false;   // every reply carries a code the station did not ask for
  int mismatch_echo_block = -1;    // the echo of a write of this block differs in one byte
  int stray_bytes = 0;             // bytes of noise sent after every reply
  int late_ticks = 0;              // every reply goes out this many 55 ms ticks late
  int version = 68;                // program version reported in the identity and monitor frames
  bool reading_forbidden = false;  // the identity forbids reading
  int corrupt_every = 0;           // every k-th reply has a damaged payload byte (k > 0)
};

// One reply as it leaves the unit: a frame, maybe followed by stray bytes.
struct UnitReply {
  static constexpr std::size_t kMaxStray = 64;
  std::array<std::uint8_t, kFrameSize + kMaxStray> bytes{};
  std::size_t size = 0;
};

// Plays the unit behind the serial line: holds 20 blocks and an identity, answers reads, echoes
// writes, and answers monitor requests with engine data that moves with time. It has no notion of
// the wire: a front end (in memory or a pseudo-terminal) feeds it frames and paces its replies.
class UnitEmulator {
 public:
  static constexpr int kSavingStart = 5780;
  static constexpr int kSavingMs = 2000;  // how long the unit takes to store a programmed set

  UnitEmulator();

  // Answers one 152-byte request. An empty reply means the unit stays silent.
  UnitReply Answer(FrameView request);
  // Moves the engine and the saving countdown on by the given time.
  void Advance(int milliseconds);

  // An engine held at one operating point instead of its sweep (for tests and demonstrations):
  // engine speed [rpm], throttle [0.1 %], the share of the injection taken from the throttle
  // maps [%]; the manifold pressure follows the throttle as in the sweep.
  struct OperatingPoint {
    int rpm = 0;
    int throttle = 0;
    int throttle_share = 100;
  };
  void HoldEngine(std::optional<OperatingPoint> point) { held_engine_ = point; }
  // An engine that answers the maps (engine_model.h): the lambda probe reads the mixture the
  // unit's Inj-1A map gives at the operating point; an engine not measured yet is measured on
  // the set the unit holds now. Nothing: the probe swings on its own.
  void UseEngineModel(std::optional<EngineModel> model);
  const std::optional<EngineModel>& engine_model() const { return engine_model_; }

  UnitFault& fault() { return fault_; }
  const UnitFault& fault() const { return fault_; }
  // Block b as the unit holds it; block 0 is the identity.
  std::array<std::uint8_t, kBlockSize> Block(int b) const;
  void SetBlock(int b, BlockBytes bytes);
  // Loads blocks 1..19 from an image.
  void LoadImage(const ParameterImage& image);
  ParameterImage Image() const;
  int saving_count() const { return saving_count_; }
  int writes_received() const { return writes_received_; }
  int replies_sent() const { return replies_sent_; }
  long elapsed_ms() const { return elapsed_ms_; }

 private:
  static constexpr int kIdleRpm = 1200;
  struct EnginePoint {
    int limiter = 0;
    double sweep = 0;
    int rpm = 0;
    int throttle = 0;  // 0.1 %
  };
  // Where the engine runs now: held, or on its sweep.
  EnginePoint Engine() const;
  void FillIdentity(std::span<std::uint8_t, kBlockSize> out) const;
  void FillMonitorFrame(LinkFrame& frame) const;
  void Finish(LinkFrame& frame, UnitReply& reply);

  UnitFault fault_;
  std::optional<OperatingPoint> held_engine_;
  std::optional<EngineModel> engine_model_;
  std::array<std::uint8_t, kImageSize> memory_{};  // blocks 1..19
  long elapsed_ms_ = 0;
  int saving_count_ = 0;
  double saving_rest_ = 0;
  bool save_pending_ = false;
  int writes_received_ = 0;
  int replies_sent_ = 0;
};

}  // namespace korvan
