#include "protocol/frame_receiver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rizazovoz {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> AcceptedFrames(const Bytes& stream) {
  FrameReceiver receiver;
  std::vector<Bytes> frames;
  for (std::uint8_t b : stream) {
    if (const std::optional<EcuFrame> frame = receiver.Feed(b)) {
      frames.emplace_back(frame->bytes().begin(), frame->bytes().end());
    }
  }
  return frames;
}

TEST(FrameReceiver, CutsTheStreamIntoAcceptedFrames) {
  struct Case {
    std::string name;
    Bytes stream;
    std::vector<Bytes> frames;
  };
  const std::vector<Case> cases = {
      {"bytes that start no frame are dropped",
       {0x55, 0xAA, 0x10, 0x03, 0xED},
       {{0x10, 0x03, 0xED}}},
      {"two frames back to back",
       {0x10, 0x03, 0xED, 0x14, 0x04, 0x00, 0xE8},
       {{0x10, 0x03, 0xED}, {0x14, 0x04, 0x00, 0xE8}}},
      {"bad sum dropped, hunting resumes after its checksum",
       {0x10, 0x03, 0xEE, 0x10, 0x03, 0xED},
       {{0x10, 0x03, 0xED}}},
      {"a dropped frame's payload is not re-scanned", {0x14, 0x06, 0x10, 0x03, 0xED, 0x00}, {}},
      {"short data answer",
       {0x13, 0x08, 0x01, 0x02, 0x03, 0x04, 0x05, 0xD6},
       {{0x13, 0x08, 0x01, 0x02, 0x03, 0x04, 0x05, 0xD6}}},
      {"full identity answer",
       {0x10, 0x0B, 0x17, 0xE2, 0, 0, 0, 0, 0, 0, 0xEC},
       {{0x10, 0x0B, 0x17, 0xE2, 0, 0, 0, 0, 0, 0, 0xEC}}},
      {"length below 3 abandons the frame", {0x10, 0x02, 0x10, 0x03, 0xED}, {{0x10, 0x03, 0xED}}},
      {"length above 11 abandons the frame",
       {0x13, 0x0C, 0x00, 0x10, 0x03, 0xED},
       {{0x10, 0x03, 0xED}}},
      {"an abandoning length byte may start the next frame",
       {0x13, 0x14, 0x04, 0x00, 0xE8},
       {{0x14, 0x04, 0x00, 0xE8}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceptedFrames(c.stream), c.frames) << c.name;
  }
}

TEST(FrameReceiver, AcceptedFrameCarriesCommandAndPayload) {
  FrameReceiver receiver;
  std::optional<EcuFrame> frame;
  for (std::uint8_t b : Bytes{0x13, 0x08, 0x01, 0x02, 0x03, 0x04, 0x05, 0xD6}) {
    EXPECT_FALSE(frame.has_value());
    frame = receiver.Feed(b);
  }
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(frame->command(), 0x13);
  EXPECT_THAT(frame->payload(), ::testing::ElementsAre(1, 2, 3, 4, 5));
  EXPECT_EQ(receiver.state(), FrameReceiver::State::AwaitCommand);
}

TEST(FrameReceiver, ResetDropsAPartialFrame) {
  FrameReceiver receiver;
  for (std::uint8_t b : Bytes{0x13, 0x0B, 0x01, 0x02}) receiver.Feed(b);
  EXPECT_EQ(receiver.state(), FrameReceiver::State::AwaitPayload);
  receiver.Reset();
  EXPECT_EQ(receiver.state(), FrameReceiver::State::AwaitCommand);
  std::optional<EcuFrame> frame;
  for (std::uint8_t b : Bytes{0x10, 0x03, 0xED}) frame = receiver.Feed(b);
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(frame->command(), 0x10);
}

}  // namespace
}  // namespace rizazovoz
