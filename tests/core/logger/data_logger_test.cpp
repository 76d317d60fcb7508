#include "logger/data_logger.h"

#include <gtest/gtest.h>

#include "logger/channel_lists.h"
#include "logger_fixture.h"

namespace rizazovoz {
namespace {

using namespace std::chrono_literals;

std::int32_t Plotted(const DataLogger& logger, std::size_t channel) {
  return logger.Graph(channel).Trace(kChannelColours[channel]).back().value();
}

// Not recording: these tests are about the window's texts and graphs.
struct Sampling : LoggerInFolder {
  Sampling() { logger.SetSaveToFile(false); }
};

TEST(DataLoggerTick, AnOffsetParameterIsPlotted40HigherAndItsLabelsShifted) {
  Sampling s;  // channel 3 is "CTS"
  s.Start();
  LiveValues values;
  values.coolantTemp = 85.7f;
  const TickTexts first = s.Tick(values).value();
  EXPECT_EQ(first.channels[2].value, "85");
  EXPECT_EQ(first.channels[2].max, "60");  // the initial scale of 100, less 40
  EXPECT_EQ(first.channels[2].min, "-40");
  EXPECT_EQ(Plotted(s.logger, 2), 125);
  EXPECT_EQ(s.logger.Graph(2).Scale(), 130);

  values.coolantTemp = -45.0f;
  const TickTexts second = s.Tick(values).value();
  EXPECT_EQ(second.channels[2].max, "90") << "the scale from before this sample";
  EXPECT_EQ(second.channels[2].value, "-45");
  EXPECT_EQ(Plotted(s.logger, 2), 0) << "raised to the bottom";
}

TEST(DataLoggerTick, OnlyChannelOnePlotsNegativeValues) {
  Sampling s;
  for (std::size_t n = 0; n < kLoggerChannels; ++n) s.logger.SetChannel(n, "Ign Advance");
  s.Start();
  LiveValues values;
  values.ignAdvance = -3;
  const TickTexts texts = s.Tick(values).value();
  EXPECT_EQ(Plotted(s.logger, 0), -3);
  for (std::size_t n = 1; n < kLoggerChannels; ++n) EXPECT_EQ(Plotted(s.logger, n), 0) << n;
  for (const ChannelLabels& labels : texts.channels) {
    EXPECT_EQ(labels.value, "-3");
    EXPECT_EQ(labels.min, "0");
    EXPECT_EQ(labels.max, "100");
  }
  EXPECT_EQ(s.Tick(values)->channels[0].max, "0") << "nothing above 0 was plotted";
}

TEST(DataLoggerTick, MaxLabelLagsOneSampleAndTimeLabelsFollowTheCount) {
  Sampling s;
  s.Start();
  LiveValues values;
  values.engineSpeed = 850;
  const TickTexts first = s.Tick(values, ',').value();
  EXPECT_EQ(first.channels[0].max, "100");
  EXPECT_EQ(first.times, (TimeLabelTexts{"0,4", "-79,6", "-160,0", "-240,0", "-320,0"}));
  EXPECT_EQ(first.fileSize, "File size 0 bytes");
  const TickTexts second = s.Tick(values).value();
  EXPECT_EQ(second.channels[0].max, "850");
  EXPECT_EQ(second.times[0], "0.8");
  EXPECT_EQ(s.logger.SampleCount(), 2u);
}

TEST(DataLogger, StartAndStopChangeNothingInTheWrongState) {
  Sampling s;
  EXPECT_EQ(s.Tick(LiveValues{}), std::nullopt) << "idle: no sampling";
  EXPECT_FALSE(s.logger.Stop().changed);

  EXPECT_TRUE(s.Start().started);
  s.Tick(LiveValues{});
  s.Tick(LiveValues{});
  EXPECT_FALSE(s.Start().started);
  EXPECT_EQ(s.logger.SampleCount(), 2u) << "a second Start restarted the count";
  EXPECT_TRUE(s.logger.Logging());

  EXPECT_TRUE(s.logger.Stop().changed);
  EXPECT_FALSE(s.logger.Logging());
  EXPECT_FALSE(s.logger.Stop().changed);

  // A new Start counts from 0 again and draws on in the same graphs.
  s.Start();
  EXPECT_EQ(s.Tick(LiveValues{})->times[0], "0.4");
  EXPECT_EQ(s.logger.Graph(0).Trace(kChannelColours[0]).size(), 3u);
}

TEST(DataLogger, ChannelsTimeBaseAndSavingAreFixedWhileLogging) {
  Sampling s;
  s.Start();
  EXPECT_FALSE(s.logger.SetChannel(0, "VSS"));
  EXPECT_FALSE(s.logger.ApplyTimeBase("1"));
  EXPECT_FALSE(s.logger.SetSaveToFile(true));
  EXPECT_EQ(s.logger.ChannelSelection()[0], "RPM");
  EXPECT_EQ(s.logger.SampleInterval(), 400);
  EXPECT_FALSE(s.logger.SaveToFile());
  s.logger.Stop();
  EXPECT_TRUE(s.logger.SetChannel(0, "VSS"));
  EXPECT_TRUE(s.logger.ApplyTimeBase("1"));
  EXPECT_EQ(s.logger.ChannelSelection()[0], "VSS");
  EXPECT_FALSE(s.logger.SetChannel(4, "VSS"));
}

TEST(DataLogger, ARefusedTimeBaseKeepsThePreviousOne) {
  DataLogger logger;
  EXPECT_EQ(logger.TimeBase(), "10");
  EXPECT_EQ(logger.SampleIntervalPanel(), "Sample interval: 400ms");
  ASSERT_TRUE(logger.ApplyTimeBase("30"));
  for (const char* refused : {"abc", "0", "3601", "2.5", ""}) {
    EXPECT_FALSE(logger.ApplyTimeBase(refused)) << refused;
    EXPECT_EQ(logger.TimeBase(), "30");
    EXPECT_EQ(logger.SampleInterval(), 1200);
  }
  EXPECT_EQ(logger.SampleIntervalPanel(), "Sample interval: 1200ms");
}

TEST(DataLogger, AddressModeOffersAddressesAndKeepsTheChosenNames) {
  Sampling s;
  EXPECT_EQ(s.logger.ChannelList(), ChannelList(true));
  s.logger.SetChannelMode(false);
  EXPECT_FALSE(s.logger.NamedChannels());
  EXPECT_EQ(s.logger.ChannelList(), ChannelList(false));
  EXPECT_EQ(s.logger.ChannelSelection()[0], "RPM");
  s.Start();
  LiveValues values;
  values.engineSpeed = 850;
  EXPECT_EQ(s.Tick(values)->channels[0].value, "850");
  s.logger.SetChannelMode(true);  // also while logging
  EXPECT_EQ(s.logger.ChannelList().size(), 39u);
}

TEST(DataLogger, SettingsComeInAndGoOutWithThePlacementKept) {
  LoggerSettings stored;
  stored.top = 7;
  stored.left = 9;
  stored.initMax = true;
  stored.filePath = "C://";
  stored.channels = {"VSS", "rpm", "Address7", "MAF"};
  stored.timeBase = "abc";  // refused: the default stays
  DataLogger logger;
  logger.ApplySettings(stored);
  EXPECT_EQ(logger.LogPath(), "C://");
  EXPECT_EQ(logger.ChannelSelection()[1], "rpm");
  EXPECT_EQ(logger.SampleInterval(), 400);
  const LoggerSettings out = logger.CurrentSettings();
  EXPECT_EQ(out.top, 7);
  EXPECT_EQ(out.left, 9);
  EXPECT_TRUE(out.initMax);
  EXPECT_EQ(out.filePath, "C://");
  EXPECT_EQ(out.channels, stored.channels);
  EXPECT_EQ(out.timeBase, "10");
  EXPECT_EQ(logger.OutputFilePanel(), "Output file:    kelvolog.csv");
}

}  // namespace
}  // namespace rizazovoz
