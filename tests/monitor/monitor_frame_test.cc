#include "monitor/monitor_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "link/link_frame.h"
#include "monitor/live_values.h"
#include "monitor_frame_builder.h"

namespace korvan {
namespace {

constexpr MonitorInputs kFourCylinders{4, 120};

bool Decode(const LinkFrame& frame, LiveValues& live, MonitorInputs inputs = kFourCylinders) {
  return DecodeMonitorFrame(std::span<const std::uint8_t>(frame), inputs, live);
}

LiveValues DecodeOne(const MonitorFrameBuilder& builder, MonitorInputs inputs = kFourCylinders) {
  LiveValues live;
  EXPECT_TRUE(Decode(builder.Frame(), live, inputs));
  return live;
}

// A frame with something in every field, so that a partial update would show.
MonitorFrameBuilder BusyFrame() {
  MonitorFrameBuilder builder;
  builder.Byte(1, 0x5A).Byte(2, 0xC4).Byte(3, 0x28).Byte(4, 0x11);
  for (int k = 0; k < 12; ++k) builder.Byte(10 + k, 20 + k);
  builder.Byte(23, 150).Byte(24, 120).Byte(25, 3).Byte(26, 40).Byte(27, 2);
  for (int offset = 48; offset < 140; offset += 2) builder.Word(offset, 1000 + offset);
  builder.Word(148, 4000);
  return builder;
}

TEST(DecodeMonitorFrameTest, RejectedBuffersChangeNothing) {
  LiveValues before;
  ASSERT_TRUE(Decode(BusyFrame().Frame(), before));

  LinkFrame next = MonitorFrameBuilder().Word(48, 9000).Byte(23, 0).Frame();
  LinkFrame bad_check = next;
  bad_check[151] ^= 0x01;
  LinkFrame flipped_payload = next;
  flipped_payload[60] ^= 0x80;
  LinkFrame block_reply = next;
  block_reply[0] = ReplyCode(ReadCommand(3));
  SealFrame(block_reply);

  struct Case {
    const char* name;
    std::vector<std::uint8_t> buffer;
  };
  const Case cases[] = {
      {"bad check byte", {bad_check.begin(), bad_check.end()}},
      {"payload bit flipped", {flipped_payload.begin(), flipped_payload.end()}},
      {"sealed frame with another code", {block_reply.begin(), block_reply.end()}},
      {"one byte short", {next.begin(), next.end() - 1}},
      {"empty", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LiveValues live = before;
    EXPECT_FALSE(DecodeMonitorFrame(c.buffer, kFourCylinders, live));
    EXPECT_EQ(live, before);
  }
}

TEST(DecodeMonitorFrameTest, BytesBeyondTheFrameAreIgnored) {
  LinkFrame frame = MonitorFrameBuilder().Word(48, 4321).Frame();
  std::vector<std::uint8_t> buffer(frame.begin(), frame.end());
  // Trailing bytes that would spoil the check if they were counted.
  buffer.insert(buffer.end(), {0xB0, 0x13, 0x77});
  LiveValues live;
  EXPECT_TRUE(DecodeMonitorFrame(buffer, kFourCylinders, live));
  EXPECT_EQ(live.engine_speed, 4321);
  EXPECT_TRUE(live.has_frame);
}

TEST(DecodeMonitorFrameTest, OtherUnitVersionIsStillDecoded) {
  LiveValues live;
  ASSERT_TRUE(Decode(MonitorFrameBuilder().Byte(150, 67).Word(48, 2500).Byte(25, 4).Frame(), live));
  EXPECT_EQ(live.unit_version, 67);
  EXPECT_FALSE(VersionMatches(live));
  EXPECT_EQ(live.engine_speed, 2500);
  EXPECT_EQ(live.gear, 4);

  ASSERT_TRUE(Decode(MonitorFrameBuilder().Frame(), live));
  EXPECT_TRUE(VersionMatches(live));
}

TEST(DecodeMonitorFrameTest, MeanAdvanceCountsOnlyTheCylindersInUse) {
  struct Case {
    int cylinders;
    std::array<int, 4> advance;
    int mean;
  };
  const Case cases[] = {
      {3, {10, 20, 30, 200}, 20},  // cylinder 4 takes no part
      {1, {17, 90, 90, 90}, 17},
      {0, {17, 90, 90, 90}, 17},    // no map page laid out yet
      {2, {10, 15, 200, 200}, 12},  // integer division
      {4, {255, 255, 255, 255}, 255},
      {9, {40, 40, 40, 40}, 40},  // an impossible count is held to four cylinders
      {-1, {33, 1, 1, 1}, 33},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cylinders);
    MonitorFrameBuilder builder;
    for (int k = 0; k < 4; ++k) builder.Byte(10 + k, c.advance[k]);
    LiveValues live = DecodeOne(builder, MonitorInputs{c.cylinders, 100});
    EXPECT_EQ(live.mean_advance, c.mean);
    EXPECT_EQ(live.advance[3], c.advance[3]);  // every cylinder's advance is kept for its label
  }
}

TEST(DecodeMonitorFrameTest, InjectionTimesBankMeansAndLargestByte) {
  MonitorFrameBuilder builder;
  const std::array<int, 8> bytes = {10, 20, 30, 40, 0, 255, 1, 3};
  for (int k = 0; k < 8; ++k) builder.Byte(14 + k, bytes[k]);
  // All four channels count even on a one-cylinder engine.
  LiveValues live = DecodeOne(builder, MonitorInputs{1, 100});
  EXPECT_EQ(live.injection_a_us, (std::array<std::uint16_t, 4>{1000, 2000, 3000, 4000}));
  EXPECT_EQ(live.injection_b_us, (std::array<std::uint16_t, 4>{0, 25500, 100, 300}));
  EXPECT_EQ(live.bank_a_mean_us, 2500);
  EXPECT_EQ(live.bank_b_mean_us, 6475);  // 259 x 100 / 4, truncated
  EXPECT_EQ(live.largest_injection_byte, 255);
}

TEST(DecodeMonitorFrameTest, DutyUsesTheEngineSpeedOfThePreviousFrame) {
  struct Step {
    int engine_speed;
    int largest_byte;
    int duty;
  };
  const Step steps[] = {
      {6000, 100, 0},    // first frame: no engine speed held yet
      {3000, 100, 50},   // 6000 from the frame before
      {65535, 119, 29},  // 3000 x 119 / 12000 truncated
      {0, 255, 1392},    // 65535 x 255 / 12000: above 100 is shown as is
      {5000, 200, 0},
  };
  LiveValues live;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.engine_speed);
    ASSERT_TRUE(Decode(
        MonitorFrameBuilder().Word(48, s.engine_speed).Byte(19, s.largest_byte).Frame(), live));
    EXPECT_EQ(live.injection_duty, s.duty);
    EXPECT_EQ(live.engine_speed, s.engine_speed);
  }
}

TEST(DecodeMonitorFrameTest, TemperatureSensorErrors) {
  struct Case {
    int coolant_byte, air_byte;
    int coolant_code, air_code;
    bool coolant_error, air_error;
  };
  const Case cases[] = {
      {0, 0, 180, 0, true, true},
      {120, 90, 120, 90, false, false},
      {1, 255, 1, 255, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.coolant_byte);
    LiveValues live =
        DecodeOne(MonitorFrameBuilder().Byte(23, c.coolant_byte).Byte(24, c.air_byte));
    EXPECT_EQ(live.coolant_code, c.coolant_code);
    EXPECT_EQ(live.air_code, c.air_code);
    EXPECT_EQ(live.coolant_sensor_error, c.coolant_error);
    EXPECT_EQ(live.air_sensor_error, c.air_error);
  }
}

TEST(DecodeMonitorFrameTest, ThrottleShareFlagsNeedAValidMapPosition) {
  struct Case {
    int flags_c, share;
    bool partial, below_full;
  };
  const Case cases[] = {
      {0x00, 0, false, true},  {0x00, 100, true, false}, {0x00, 50, true, true},
      {0x01, 0, false, false}, {0x01, 50, false, false}, {0x01, 100, false, false},
      {0xFE, 50, true, true},  // only bit 0 of flag byte C counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.flags_c << "/" << c.share);
    LiveValues live = DecodeOne(MonitorFrameBuilder().Byte(3, c.flags_c).Byte(26, c.share));
    EXPECT_EQ(live.throttle_share, c.share);
    EXPECT_EQ(live.throttle_share_partial, c.partial);
    EXPECT_EQ(live.throttle_share_below_full, c.below_full);
  }
}

TEST(DecodeMonitorFrameTest, OffsetCorrectionsAreSigned) {
  struct Case {
    int offset;
    int word;
    int LiveValues::*field;
    int value;
  };
  const Case cases[] = {
      {108, 950, &LiveValues::voltage_correction_us, -50},
      {108, 1000, &LiveValues::voltage_correction_us, 0},
      {108, 0, &LiveValues::voltage_correction_us, -1000},
      {110, 1000, &LiveValues::coolant_advance_correction_tenths, 0},
      {110, 985, &LiveValues::coolant_advance_correction_tenths, -15},
      {112, 1234, &LiveValues::potentiometer_advance_correction_tenths, 234},
      {134, 1015, &LiveValues::idle_advance_correction_tenths, 15},
      {134, 65535, &LiveValues::idle_advance_correction_tenths, 64535},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.offset << "=" << c.word);
    LiveValues live = DecodeOne(MonitorFrameBuilder().Word(c.offset, c.word));
    EXPECT_EQ(live.*c.field, c.value);
  }
}

TEST(DecodeMonitorFrameTest, LambdaGauge) {
  const std::array<std::array<int, 2>, 7> cases = {
      {{0, 0}, {399, 0}, {400, 0}, {406, 1}, {1000, 100}, {1001, 100}, {65535, 100}}};
  for (const auto& [mv, gauge] : cases) {
    SCOPED_TRACE(mv);
    EXPECT_EQ(DecodeOne(MonitorFrameBuilder().Word(58, mv)).lambda_gauge, gauge);
  }
}

TEST(DecodeMonitorFrameTest, EngineSpeedGaugeKeepsItsValueWithoutALimiter) {
  LiveValues live;
  ASSERT_TRUE(Decode(MonitorFrameBuilder().Word(48, 6000).Frame(), live, MonitorInputs{4, 60}));
  EXPECT_EQ(live.engine_speed_gauge, 100);
  ASSERT_TRUE(Decode(MonitorFrameBuilder().Word(48, 3050).Frame(), live, MonitorInputs{4, 0}));
  EXPECT_EQ(live.engine_speed_gauge, 100);
  EXPECT_EQ(live.engine_speed, 3050);
  ASSERT_TRUE(Decode(MonitorFrameBuilder().Word(48, 3050).Frame(), live, MonitorInputs{4, 120}));
  EXPECT_EQ(live.engine_speed_gauge, 25);
}

TEST(DecodeMonitorFrameTest, FlagBitsMapToStates) {
  struct Case {
    int offset, bit;
    bool LiveValues::*field;
    bool active_low;
  };
  const Case cases[] = {
      {1, 0, &LiveValues::fall_sensor_input, true},
      {1, 1, &LiveValues::fall_sensor_output, false},
      {1, 2, &LiveValues::blocking_input, true},
      {1, 3, &LiveValues::blocking_output, false},
      {1, 4, &LiveValues::start_limiter_input, true},
      {1, 5, &LiveValues::start_limiter_output, false},
      {1, 6, &LiveValues::clutch_master_input, true},
      {1, 7, &LiveValues::clutch_master_output, false},
      {2, 0, &LiveValues::tacho_lambda_input, true},
      {2, 1, &LiveValues::tacho_function, false},
      {2, 2, &LiveValues::limiter_by_ignition, false},
      {2, 3, &LiveValues::limiter_by_injection, false},
      {2, 4, &LiveValues::limiter_by_retard, false},
      {2, 6, &LiveValues::exhaust_servo_ok, false},
      {2, 7, &LiveValues::intake_servo_ok, false},
      {3, 0, &LiveValues::injection_position_invalid, false},
      {3, 1, &LiveValues::n2o_active, false},
      {3, 3, &LiveValues::base_advance, false},
      {3, 4, &LiveValues::cooling_fan_on, false},
      {3, 5, &LiveValues::ckps_signal, false},
      {3, 6, &LiveValues::cmps_signal, false},
      {3, 7, &LiveValues::programmed_data_error, false},
      {4, 0, &LiveValues::tp_error, false},
      {4, 1, &LiveValues::iap_error, false},
      {4, 2, &LiveValues::ap_error, false},
      {4, 4, &LiveValues::intake_servo_idle_control, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "byte " << c.offset << " bit " << c.bit);
    // Every other bit of the byte set, so that a neighbouring bit cannot stand in for this one.
    const unsigned others = 0xFFu & ~(1u << c.bit);
    LiveValues with = DecodeOne(MonitorFrameBuilder().Byte(c.offset, others | (1u << c.bit)));
    LiveValues without = DecodeOne(MonitorFrameBuilder().Byte(c.offset, others));
    EXPECT_EQ(with.*c.field, !c.active_low);
    EXPECT_EQ(without.*c.field, c.active_low);
  }
}

TEST(DecodeMonitorFrameTest, WordsLandInTheirFields) {
  struct Case {
    int offset;
    std::uint16_t LiveValues::*field;
  };
  const Case cases[] = {
      {48, &LiveValues::engine_speed},
      {50, &LiveValues::ap_sensor_mv},
      {52, &LiveValues::atmospheric_pressure},
      {54, &LiveValues::iap_sensor_mv},
      {56, &LiveValues::throttle_sensor_mv},
      {58, &LiveValues::lambda_mv},
      {60, &LiveValues::coolant_sensor_mv},
      {62, &LiveValues::air_sensor_mv},
      {64, &LiveValues::supply_mv},
      {66, &LiveValues::exhaust_servo_first_mv},
      {68, &LiveValues::exhaust_servo_second_mv},
      {70, &LiveValues::intake_servo_first_mv},
      {72, &LiveValues::intake_servo_second_mv},
      {74, &LiveValues::potentiometer_mv},
      {76, &LiveValues::programming_count},
      {94, &LiveValues::time_since_start},
      {96, &LiveValues::injection_position_a},
      {98, &LiveValues::injection_position_b},
      {100, &LiveValues::coolant_injection_correction},
      {102, &LiveValues::air_injection_correction},
      {104, &LiveValues::pressure_injection_correction},
      {106, &LiveValues::after_start_injection_correction},
      {108, &LiveValues::voltage_correction_word},
      {110, &LiveValues::coolant_advance_correction_word},
      {112, &LiveValues::potentiometer_advance_correction_word},
      {114, &LiveValues::potentiometer_injection_correction},
      {116, &LiveValues::road_speed},
      {118, &LiveValues::gear_sensor_mv},
      {120, &LiveValues::speed_ratio},
      {134, &LiveValues::idle_advance_correction_word},
      {136, &LiveValues::iap},
      {138, &LiveValues::throttle_position},
      {148, &LiveValues::saving_countdown},
  };
  // Distinct high and low bytes everywhere, so a swapped or shifted read shows.
  MonitorFrameBuilder builder;
  for (int offset = 48; offset < 150; offset += 2)
    builder.Word(offset, (offset << 8) | (offset + 1));
  const LiveValues live = DecodeOne(builder);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(live.*c.field, (c.offset << 8) | (c.offset + 1));
  }
  for (int k = 0; k < 8; ++k) {
    const int offset = 78 + 2 * k;
    EXPECT_EQ(live.test[k], (offset << 8) | (offset + 1)) << "Test" << k + 1;
  }
  for (int k = 0; k < 6; ++k) {
    const int offset = 122 + 2 * k;
    EXPECT_EQ(live.learned_ratio[k], (offset << 8) | (offset + 1)) << "gear " << k + 1;
  }
}

TEST(DecodeMonitorFrameTest, SmallBytesLandInTheirFields) {
  const LiveValues live = DecodeOne(MonitorFrameBuilder()
                                        .Byte(1, 0x12)
                                        .Byte(2, 0x34)
                                        .Byte(3, 0x56)
                                        .Byte(4, 0x78)
                                        .Byte(25, 6)
                                        .Byte(27, 7)
                                        .Byte(150, 68));
  EXPECT_EQ(live.flags_a, 0x12);
  EXPECT_EQ(live.flags_b, 0x34);
  EXPECT_EQ(live.flags_c, 0x56);
  EXPECT_EQ(live.flags_d, 0x78);
  EXPECT_EQ(live.gear, 6);
  EXPECT_EQ(live.pilot_light, 7);
  EXPECT_TRUE(VersionMatches(live));
}

}  // namespace
}  // namespace korvan
