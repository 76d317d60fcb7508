#include "transport/byte_ring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

namespace rizazovoz {
namespace {

TEST(ByteRingTest, HoldsAt255BytesAndNeverOverwritesUnreadOnes) {
  ByteRing ring;
  std::vector<std::uint8_t> bytes(300);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
  // Wrap the indexes first, so that the full ring straddles index 255.
  std::uint8_t sink[ByteRing::kCapacity];
  ASSERT_EQ(ring.Push(bytes.data(), 200), 200u);
  ASSERT_EQ(ring.Pop(sink, 200), 200u);

  EXPECT_EQ(ring.Push(bytes.data(), 300), 255u);
  EXPECT_EQ(ring.FreeSpace(), 0u);
  EXPECT_EQ(ring.Push(bytes.data(), 1), 0u);
  EXPECT_EQ(ring.Pending(), 255u);
  std::uint8_t out[ByteRing::kCapacity + 1] = {};
  out[255] = 0x5A;
  ASSERT_EQ(ring.Pop(out, sizeof out), 255u);
  EXPECT_EQ(out[255], 0x5A);  // nothing written past what was pending
  for (std::size_t i = 0; i < 255; ++i) ASSERT_EQ(out[i], bytes[i]) << i;
  EXPECT_EQ(ring.Pending(), 0u);
  EXPECT_EQ(ring.FreeSpace(), 255u);
}

// Two threads, each the producer of one ring and the consumer of the other, move 10^7
// bytes each way in uneven portions; every byte must arrive once and in order.
TEST(ByteRingTest, TwoThreadsMoveTenMillionBytesEachWayInOrder) {
  constexpr std::uint64_t kBytes = 10'000'000;
  ByteRing there;
  ByteRing back;
  auto run = [](ByteRing& out, ByteRing& in, std::size_t portion, std::uint64_t& errors) {
    std::uint64_t sent = 0;
    std::uint64_t received = 0;
    std::uint8_t buffer[ByteRing::kCapacity];
    std::size_t step = 0;
    while (sent < kBytes || received < kBytes) {
      if (sent < kBytes) {
        const std::size_t n = std::min<std::uint64_t>(1 + (step++ * 37) % portion, kBytes - sent);
        std::uint8_t bytes[ByteRing::kCapacity];
        for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>((sent + i) * 7);
        sent += out.Push(bytes, n);
      }
      const std::size_t got = in.Pop(buffer, 1 + (step * 13) % ByteRing::kCapacity);
      for (std::size_t i = 0; i < got; ++i) {
        if (buffer[i] != static_cast<std::uint8_t>((received + i) * 7)) ++errors;
      }
      received += got;
    }
  };
  std::uint64_t errorsA = 0;
  std::uint64_t errorsB = 0;
  std::thread a([&] { run(there, back, 200, errorsA); });
  std::thread b([&] { run(back, there, 90, errorsB); });
  a.join();
  b.join();
  EXPECT_EQ(errorsA, 0u);
  EXPECT_EQ(errorsB, 0u);
  EXPECT_EQ(there.Pending(), 0u);
  EXPECT_EQ(back.Pending(), 0u);
}

}  // namespace
}  // namespace rizazovoz
