// The emulated engine that answers the maps: its mixture follows the Inj-1A cell at the operating
// point and the known fuel error, its narrow-band probe tells rich from lean with a lag and a
// little noise, and the unit's monitor frames carry it.
#include "emulator/engine_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "emulator/unit_emulator.h"
#include "emulator/unit_options.h"
#include "image/map_storage.h"
#include "link/monitor_frame_layout.h"
#include "model/default_set.h"

namespace korvan {
namespace {

// The probe after a second at one mixture: the lag has settled.
int Settled(EngineModel& model, double mixture) {
  int mv = 0;
  for (int i = 0; i < 20; ++i) mv = model.AdvanceProbe(mixture, 55);
  return mv;
}

TEST(EngineModelTest, TheProbeSaysRichOrLeanAroundTheStoichiometricMixture) {
  struct Case {
    double mixture;
    int low, high;
  };
  const Case cases[] = {
      {1.10, 800, 880},                    // well rich
      {1.03, 780, 880}, {1.00, 420, 480},  // switching
      {0.97, 20, 120},  {0.88, 20, 100},   // well lean
  };
  for (const Case& c : cases) {
    EngineModel model;
    const int mv = Settled(model, c.mixture);
    EXPECT_GE(mv, c.low) << c.mixture;
    EXPECT_LE(mv, c.high) << c.mixture;
  }
}

TEST(EngineModelTest, TheProbeLagsAStepAndItsNoiseIsSmall) {
  EngineModel model;
  Settled(model, 0.9);
  const int first = model.AdvanceProbe(1.1, 55);
  EXPECT_GT(first, 150) << "it moves at once";
  EXPECT_LT(first, 700) << "but not all the way in one tick";
  int low = 1100, high = 0;
  for (int i = 0; i < 200; ++i) {
    const int mv = model.AdvanceProbe(1.1, 55);
    if (i > 20) {
      low = std::min(low, mv);
      high = std::max(high, mv);
    }
  }
  EXPECT_LE(high - low, 40);
}

TEST(EngineModelTest, TheMixtureFollowsTheCellAndTheFuelError) {
  ParameterImage image = DefaultParameterSet(11);
  EngineModel exact(0.0);
  EngineModel lean(12.0);
  exact.Measure(image);
  lean.Measure(image);
  // 6000 rpm at 40 % throttle: the Inj-1A cell nearest to it.
  EXPECT_DOUBLE_EQ(exact.Mixture(image, 6000, 400), 1.0);
  EXPECT_NEAR(lean.Mixture(image, 6000, 400), 1.0 / 1.12, 1e-9);
  // Twelve percent more in that cell and nowhere else: the lean engine runs right there.
  int column = 0;
  for (int c = 0; c < kMapColumns; ++c) {
    if (AxisRpm(image, MapId::kInj1A, c) == 6000) column = c;
  }
  const int row = 6;  // 40 %
  ASSERT_EQ(kThrottleRows[row], 40);
  const int cell = CellIndex(row, column);
  SetStoredCell(image, MapId::kInj1A, cell,
                static_cast<unsigned>(StoredCell(image, MapId::kInj1A, cell) * 1.12 + 0.5));
  EXPECT_NEAR(lean.Mixture(image, 6000, 400), 1.0, 0.001);
  EXPECT_NEAR(lean.Mixture(image, 6000, 800), 1.0 / 1.12, 1e-9) << "another row is untouched";
  EXPECT_NEAR(exact.Mixture(image, 6000, 400), 1.12, 0.001) << "the exact engine now runs rich";
}

TEST(EngineModelTest, TheUnitsMonitorFrameCarriesTheProbe) {
  UnitEmulator unit;
  unit.LoadImage(DefaultParameterSet(11));
  unit.HoldEngine(UnitEmulator::OperatingPoint{6000, 400, 100});
  unit.UseEngineModel(EngineModel(12.0));
  for (int i = 0; i < 40; ++i) unit.Advance(55);
  const LinkFrame request = MakeMonitorRequest();
  const UnitReply reply = unit.Answer(FrameView(request));
  ASSERT_GT(reply.size, static_cast<std::size_t>(monitor_frame::kLambda + 1));
  const int lambda =
      reply.bytes[monitor_frame::kLambda] | (reply.bytes[monitor_frame::kLambda + 1] << 8);
  EXPECT_LT(lambda, 150) << "the engine needs 12 % more: lean";
}

TEST(UnitOptionsTest, EngineAndFuelErrorOptions) {
  std::string error;
  auto options = ParseUnitOptions({"--engine"}, &error);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->engine);
  EXPECT_EQ(options->fuel_error_percent, 0);
  options = ParseUnitOptions({"--fuel-error", "-8"}, &error);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->engine) << "a fuel error implies the engine";
  EXPECT_EQ(options->fuel_error_percent, -8);
  EXPECT_FALSE(ParseUnitOptions({"--fuel-error", "200"}, &error));
  EXPECT_FALSE(ParseUnitOptions({"--fuel-error"}, &error));
  options = ParseUnitOptions({}, &error);
  ASSERT_TRUE(options);
  EXPECT_FALSE(options->engine);
}

}  // namespace
}  // namespace korvan
