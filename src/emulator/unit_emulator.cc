#include "emulator/unit_emulator.h"

#include <algorithm>
#include <cmath>

#include "image/field_dictionary.h"
#include "link/monitor_frame_layout.h"
#include "model/default_set.h"

namespace korvan {
namespace {

using namespace monitor_frame;  // NOLINT(build/namespaces): the frame's offsets

void PutWord(LinkFrame& frame, int offset, int value) {
  const int clamped = std::clamp(value, 0, 0xFFFF);
  frame[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(clamped & 0xFF);
  frame[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(clamped >> 8);
}

void PutByte(LinkFrame& frame, int offset, int value) {
  frame[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// 0 -> 1 -> 0 over one period.
double Triangle(long ms, long period_ms) {
  const double phase = static_cast<double>(ms % period_ms) / static_cast<double>(period_ms);
  return phase < 0.5 ? phase * 2.0 : (1.0 - phase) * 2.0;
}

}  // namespace

UnitEmulator::UnitEmulator() {
  // A fresh unit holds the station's default set for bike 11, already through the consistency
  // rules, so that a read of it verifies.
  memory_ = DefaultParameterSet(11).bytes();
}

std::array<std::uint8_t, kBlockSize> UnitEmulator::Block(int b) const {
  std::array<std::uint8_t, kBlockSize> out{};
  if (b == 0) {
    FillIdentity(out);
  } else if (b >= 1 && b <= kHighestBlock) {
    std::copy_n(memory_.begin() + ImageOffsetOfBlock(b), kBlockSize, out.begin());
  }
  return out;
}

void UnitEmulator::SetBlock(int b, BlockBytes bytes) {
  if (b < 1 || b > kHighestBlock) return;
  std::copy(bytes.begin(), bytes.end(), memory_.begin() + ImageOffsetOfBlock(b));
}

void UnitEmulator::LoadImage(const ParameterImage& image) { memory_ = image.bytes(); }

ParameterImage UnitEmulator::Image() const {
  ParameterImage image;
  image.bytes() = memory_;
  return image;
}

void UnitEmulator::FillIdentity(std::span<std::uint8_t, kBlockSize> out) const {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  out[0] = 'K';
  out[1] = 'V';
  out[2] = 'N';
  out[3] = 7;   // type number
  out[4] = 14;  // built on the 14th
  out[5] = 32;  // of March ('M' + 'a' + 'r' modulo 256)
  out[6] = 7;   // 2007
  out[7] = 9;
  out[8] = 5;
  // A unit programmed with the "No Reading" flag (image byte 1) refuses to be read.
  const bool forbidden = fault_.reading_forbidden || memory_[1] != 0;
  out[9] = forbidden ? 0 : 1;
  out[10] = static_cast<std::uint8_t>(fault_.version);
}

void UnitEmulator::Advance(int milliseconds) {
  if (milliseconds <= 0) return;
  elapsed_ms_ += milliseconds;
  if (engine_model_) {
    const EnginePoint engine = Engine();
    const ParameterImage image = Image();
    engine_model_->AdvanceProbe(engine_model_->Mixture(image, engine.rpm, engine.throttle),
                                milliseconds);
  }
  if (saving_count_ > 0) {
    saving_rest_ += static_cast<double>(milliseconds) * kSavingStart / kSavingMs;
    const int step = static_cast<int>(saving_rest_);
    saving_rest_ -= step;
    saving_count_ = std::max(0, saving_count_ - step);
  }
}

UnitEmulator::EnginePoint UnitEmulator::Engine() const {
  const long t = elapsed_ms_;
  EnginePoint e;
  e.limiter = memory_[kIgnitionLimiterOffset] != 0 ? memory_[kIgnitionLimiterOffset] * 100 : 11000;
  // The engine revs from idle to just under the limiter and back every 24 s; the throttle leads.
  e.sweep = Triangle(t, 24000);
  e.rpm = held_engine_ ? held_engine_->rpm
                       : kIdleRpm + static_cast<int>((e.limiter - 200 - kIdleRpm) * e.sweep);
  e.throttle = held_engine_
                   ? held_engine_->throttle
                   : static_cast<int>(1000 * std::min(1.0, Triangle(t + 1500, 24000) * 1.1));
  return e;
}

void UnitEmulator::UseEngineModel(std::optional<EngineModel> model) {
  engine_model_ = std::move(model);
  // The engine is measured on the set the unit holds now; what is programmed later is a tune.
  if (engine_model_ && !engine_model_->measured()) engine_model_->Measure(Image());
}

void UnitEmulator::FillMonitorFrame(LinkFrame& frame) const {
  frame.fill(0);
  frame[0] = kMonitorReply;
  const long t = elapsed_ms_;
  const EnginePoint engine = Engine();
  const int limiter = engine.limiter;
  const int idle = kIdleRpm;
  const double sweep = engine.sweep;
  const int rpm = engine.rpm;
  const int throttle = engine.throttle;
  const int iap = 30 + 70 * throttle / 1000;
  const int gear = rpm < 1600 ? 0 : std::min(6, 1 + static_cast<int>(sweep * 6));
  const int road_speed = gear == 0 ? 0 : rpm * gear / 400;
  const int coolant_c = std::min(88, 20 + static_cast<int>(t / 2000));
  // With the engine model the probe answers the mixture the maps give; without it, it swings.
  const int lambda_mv =
      engine_model_ ? engine_model_->probe_mv()
                    : 450 + static_cast<int>(400 * std::sin(static_cast<double>(t) / 700.0));
  const int advance = 10 + 28 * (rpm - idle) / std::max(1, limiter - idle);
  const int injection = 20 + 60 * throttle / 1000;  // hundreds of microseconds

  // Inputs are active low, outputs active high: nothing is active on a running engine.
  frame[kFlagsA] = 0b0101'0101;
  const bool at_limiter = rpm > limiter - 400;
  frame[kFlagsB] = static_cast<std::uint8_t>(0b1100'0001 | (at_limiter ? 0b0000'0100 : 0));
  frame[kFlagsC] = static_cast<std::uint8_t>(0b0110'0000 | (coolant_c > 85 ? 0b0001'0000 : 0));
  frame[kFlagsD] = 0;
  for (int c = 0; c < 4; ++c) {
    PutByte(frame, kAdvance + c, advance + (c % 2));
    PutByte(frame, kInjectionA + c, injection + c);
    PutByte(frame, kInjectionB + c, injection / 2);
  }
  PutByte(frame, kCoolant, coolant_c + 100);
  PutByte(frame, kAir, 125);
  PutByte(frame, kGear, gear);
  PutByte(frame, kThrottleShare, held_engine_ ? held_engine_->throttle_share : 100 - iap / 4);
  PutByte(frame, kPilotLight, rpm > limiter - 2000 ? 2 : 0);
  PutWord(frame, kEngineSpeed, rpm);
  PutWord(frame, kApSensor, 4010);
  PutWord(frame, kAtmosphericPressure, 1013);  // 101.3 kPa
  PutWord(frame, kIapSensor, 900 + iap * 35);
  PutWord(frame, kThrottleSensor, 600 + throttle * 38 / 10);
  PutWord(frame, kLambda, lambda_mv);
  PutWord(frame, kCoolantSensor, 3600 - coolant_c * 25);
  PutWord(frame, kAirSensor, 2500);
  PutWord(frame, kSupply,
          13800 + static_cast<int>(150 * std::sin(static_cast<double>(t) / 3100.0)));
  PutWord(frame, kExhaustServoFirst, 1000 + rpm / 5);
  PutWord(frame, kExhaustServoSecond, 1000 + rpm / 5);
  PutWord(frame, kIntakeServoFirst, 800 + throttle * 3);
  PutWord(frame, kIntakeServoSecond, 800 + throttle * 3);
  PutWord(frame, kPotentiometer, 2500);
  PutWord(frame, kProgrammingCount, 12 + writes_received_ / 19);
  PutWord(frame, kTimeSinceStart, static_cast<int>(t / 100));
  PutWord(frame, kInjectionPositionA, 360);
  PutWord(frame, kInjectionPositionB, 400);
  PutWord(frame, kCoolantInjectionCorrection, 1000 + std::max(0, (70 - coolant_c) * 3));
  PutWord(frame, kAirInjectionCorrection, 1000);
  PutWord(frame, kPressureInjectionCorrection, 1000);
  PutWord(frame, kAfterStartInjectionCorrection,
          t < 10000 ? 1300 - static_cast<int>(t / 33) : 1000);
  PutWord(frame, kVoltageCorrection, 1000);
  PutWord(frame, kCoolantAdvanceCorrection, 1000);
  PutWord(frame, kPotentiometerAdvanceCorrection, 1000);
  PutWord(frame, kPotentiometerInjectionCorrection, 1000);
  PutWord(frame, kRoadSpeed, road_speed);
  PutWord(frame, kGearSensor, 500 + gear * 600);
  PutWord(frame, kSpeedRatio, road_speed > 0 ? rpm * 10 / road_speed : 0);
  for (int g = 0; g < 6; ++g) PutWord(frame, kLearnedRatio + 2 * g, 900 / (g + 1));
  PutWord(frame, kIdleAdvanceCorrection, 1000);
  PutWord(frame, kIap, iap);
  PutWord(frame, kThrottlePosition, throttle);
  PutWord(frame, kSavingCountdown, saving_count_);
  frame[kVersion] = static_cast<std::uint8_t>(fault_.version);
}

UnitReply UnitEmulator::Answer(FrameView request) {
  UnitReply reply;
  if (fault_.silent || !FrameCheckOk(request)) return reply;
  LinkFrame frame{};
  const std::uint8_t code = request[0];
  if (code == kMonitorRequest) {
    // The unit stores a programmed set once the station goes back to watching it.
    if (save_pending_) {
      save_pending_ = false;
      saving_count_ = kSavingStart;
      saving_rest_ = 0;
    }
    FillMonitorFrame(frame);
    Finish(frame, reply);
    return reply;
  }
  if ((code & kReplyFlag) != 0) return reply;
  const int block = BlockOfCommand(code);
  if (block > kHighestBlock) return reply;
  frame[0] = ReplyCode(code);
  if (!IsReadCommand(code) && block > 0) {
    SetBlock(block, FramePayload(request));
    ++writes_received_;
    save_pending_ = true;
  }
  const std::array<std::uint8_t, kBlockSize> content = Block(block);
  std::copy(content.begin(), content.end(), frame.begin() + 1);
  if (!IsReadCommand(code) && block == fault_.mismatch_echo_block) frame[1 + 10] ^= 0x01;
  Finish(frame, reply);
  return reply;
}

void UnitEmulator::Finish(LinkFrame& frame, UnitReply& reply) {
  if (fault_.wrong_reply_code) frame[0] ^= 0x20;
  SealFrame(frame);
  if (fault_.bad_check_byte) frame[kCheckByteIndex] ^= 0x55;
  ++replies_sent_;
  if (fault_.corrupt_every > 0 && replies_sent_ % fault_.corrupt_every == 0) frame[20] ^= 0xFF;
  std::copy(frame.begin(), frame.end(), reply.bytes.begin());
  const std::size_t stray = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(0, fault_.stray_bytes)), UnitReply::kMaxStray);
  std::fill_n(reply.bytes.begin() + kFrameSize, stray, std::uint8_t{0xA5});
  reply.size = kFrameSize + stray;
}

}  // namespace korvan
