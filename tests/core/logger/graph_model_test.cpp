#include "logger/graph_model.h"

#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

constexpr std::uint32_t kRed = kChannelColours[0];
constexpr std::uint32_t kBlue = kChannelColours[1];

void Step(GraphModel& graph, std::int32_t value, std::uint32_t colour = kRed) {
  graph.DataPoint(colour, value);
  graph.Update();
}

TEST(GraphModel, ScaleIsTheLargestRememberedValueRoundedUpToTens) {
  GraphModel graph(25);
  EXPECT_EQ(graph.Scale(), 100);
  const std::pair<std::int32_t, std::int64_t> steps[] = {
      {125, 130}, {130, 130}, {131, 140}, {7, 140}};
  for (const auto& [value, scale] : steps) {
    Step(graph, value);
    EXPECT_EQ(graph.Scale(), scale) << value;
  }
  GraphModel low(20);
  Step(low, -3);
  EXPECT_EQ(low.Scale(), 0) << "nothing above 0";
  Step(low, 1);
  EXPECT_EQ(low.Scale(), 10);
  GraphModel huge(20);
  Step(huge, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(huge.Scale(), 2147483650);
}

TEST(GraphModel, APeakCountsFor266StepsThenIsForgotten) {
  GraphModel graph(25);
  Step(graph, 125);
  for (int n = 1; n < 266; ++n) Step(graph, 5);
  EXPECT_EQ(graph.Scale(), 130);
  EXPECT_EQ(graph.Trace(kRed).size(), 266u);
  EXPECT_EQ(graph.Trace(kRed).front(), 125);
  Step(graph, 5);
  EXPECT_EQ(graph.Scale(), 10);
  EXPECT_EQ(graph.Trace(kRed).size(), 266u);
  EXPECT_EQ(graph.Trace(kRed).front(), 5);
}

TEST(GraphModel, TracesHoldEachColoursPointsOldestFirstWithGaps) {
  GraphModel graph(20);
  graph.DataPoint(kRed, 1);
  graph.DataPoint(kBlue, 10);
  graph.Update();
  graph.DataPoint(kBlue, 20);
  graph.Update();
  graph.DataPoint(kRed, 3);
  graph.DataPoint(kRed, 4);  // the newest of a colour in a step counts
  graph.Update();
  using Trace = std::vector<std::optional<std::int32_t>>;
  EXPECT_EQ(graph.Trace(kRed), (Trace{1, std::nullopt, 4}));
  EXPECT_EQ(graph.Trace(kBlue), (Trace{10, 20, std::nullopt}));
  EXPECT_EQ(graph.Trace(0x123456), (Trace{std::nullopt, std::nullopt, std::nullopt}));
  graph.DataPoint(kRed, 99);  // not a step until Update
  EXPECT_EQ(graph.Trace(kRed).size(), 3u);
}

TEST(GraphModel, GeometryForPainting) {
  GraphModel graph(25);
  EXPECT_EQ(graph.Width(), 800);
  EXPECT_EQ(graph.StepSize(), 3);
  EXPECT_EQ(graph.GridSize(), 25);
  EXPECT_EQ(graph.GridPhase(), 0);
  for (int n = 0; n < 9; ++n) Step(graph, 50);
  EXPECT_EQ(graph.GridPhase(), 2);  // 27 pixels scrolled
  EXPECT_EQ(graph.Scale(), 50);
  EXPECT_DOUBLE_EQ(graph.RowOf(0), 100.0);
  EXPECT_DOUBLE_EQ(graph.RowOf(50), 0.0);
  EXPECT_DOUBLE_EQ(graph.RowOf(25), 50.0);
  EXPECT_GT(graph.RowOf(-3), 100.0);  // below the bottom edge
  GraphModel flat(20);
  Step(flat, 0);
  EXPECT_DOUBLE_EQ(flat.RowOf(0), 100.0) << "a scale of 0 divides by nothing";
}

}  // namespace
}  // namespace rizazovoz
