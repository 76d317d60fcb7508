#include "livedata/fuel_economy.h"

#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

constexpr FuelEconomyInputs kCruise{3.0f, 2500, 60, 210, 4};

// The dead time 0.64 takes part at its decimal value: 3.0 - 0.64 rounds to 2.36000013 only
// then (with a single-precision 0.64 the first average would be 0.458789438).
TEST(FuelEconomyTest, RunningAverageOfTheMilesPerGallon) {
  float mpg = NextMpg(0.0f, kCruise);
  EXPECT_EQ(mpg, 0.458789527f);
  // With N = 1 the average is the sample itself.
  FuelEconomyInputs single = kCruise;
  single.averageCount = 1;
  EXPECT_EQ(NextMpg(50.0f, single), 1.83515811f);
  for (int i = 0; i < 100; ++i) mpg = NextMpg(mpg, kCruise);
  EXPECT_NEAR(mpg, 1.835158f, 1e-5);
}

TEST(FuelEconomyTest, MissingDataCountsAsTheCeiling) {
  for (FuelEconomyInputs in :
       {FuelEconomyInputs{0.0f, 2500, 60, 210, 4}, FuelEconomyInputs{3.0f, 2500, 0, 210, 4}}) {
    float mpg = NextMpg(0.0f, in);
    EXPECT_EQ(mpg, 24.75f);
    mpg = NextMpg(mpg, in);
    EXPECT_EQ(mpg, 43.3125f);
    mpg = NextMpg(mpg, in);
    EXPECT_EQ(mpg, 57.234375f);
  }
}

TEST(FuelEconomyTest, CeilingAboveButNotBelow) {
  // Very little fuel at speed: limited to 99.
  EXPECT_EQ(NextMpg(0.0f, {0.65f, 800, 200, 210, 1}), 99.0f);
  // A pulse width below the dead time gives a negative figure, which is averaged as it is.
  EXPECT_LT(NextMpg(0.0f, {0.5f, 2500, 60, 210, 1}), 0.0f);
}

TEST(FuelEconomyTest, DegenerateInputsStayFinite) {
  // Engine speed 0 with pulse width and speed present: no fuel term, taken as the ceiling.
  EXPECT_EQ(NextMpg(0.0f, {3.0f, 0, 60, 210, 4}), 24.75f);
  // No average length (no ECU set up): the sample alone.
  EXPECT_EQ(NextMpg(10.0f, {3.0f, 2500, 60, 210, 0}), 1.83515811f);
}

}  // namespace
}  // namespace rizazovoz
