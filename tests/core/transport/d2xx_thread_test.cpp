#include "transport/d2xx_thread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "eventually.h"
#include "fake_device_library.h"

namespace rizazovoz {
namespace {

using Call = FakeDeviceLibrary::Call;
using ::testing::ElementsAreArray;
using namespace std::chrono_literals;

// Short pauses so that the tests run quickly; the behaviour does not depend on them.
constexpr LinkThreadTiming kQuickTiming{1ms, 1ms, 1ms, 2000ms};

std::vector<std::uint8_t> Sequence(std::size_t count, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

class LinkThreadTest : public ::testing::Test {
 protected:
  void Start() { link_ = std::make_unique<TD2xxThread>(fake_, kQuickTiming); }

  // Lets the thread make `passes` more passes (each pass reads the list or waits on the
  // device), so that something that should not happen has had its chance.
  void LetPassesRun(int passes = 3) {
    const int lists = fake_.Calls(Call::kList);
    const int waits = fake_.Calls(Call::kWait);
    ASSERT_TRUE(Eventually([&] {
      return fake_.Calls(Call::kList) + fake_.Calls(Call::kWait) >= lists + waits + passes + 1;
    }));
  }

  int StartOpen(const char* baud = "7812") {
    const int id = fake_.AddDevice("RUZ Interface");
    Start();
    link_->RequestOpen(baud);
    EXPECT_TRUE(Eventually([&] { return link_->IsOpen(); }));
    return id;
  }

  std::vector<std::uint8_t> TakeAll(std::size_t expected) {
    std::vector<std::uint8_t> taken;
    std::uint8_t buffer[kRingCapacity];
    Eventually([&] {
      const std::size_t n = link_->TakeBytes(buffer);
      taken.insert(taken.end(), buffer, buffer + n);
      return taken.size() >= expected;
    });
    return taken;
  }

  FakeDeviceLibrary fake_;
  std::unique_ptr<TD2xxThread> link_;
};

struct SelectionCase {
  const char* name;
  std::vector<std::string> descriptions;
  int deviceIndex;
};

void PrintTo(const SelectionCase& selection, std::ostream* os) { *os << selection.name; }

class DeviceSelectionTest : public LinkThreadTest,
                            public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(DeviceSelectionTest, FindsTheInterfaceByItsExactDescription) {
  for (const std::string& description : GetParam().descriptions) fake_.AddDevice(description);
  Start();
  LetPassesRun();
  EXPECT_EQ(link_->DeviceIndex(), GetParam().deviceIndex);
  EXPECT_EQ(link_->StatusText(), GetParam().deviceIndex > 0 ? "RUZ Interface" : "No Interface");
  EXPECT_FALSE(link_->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DeviceSelectionTest,
    ::testing::Values(SelectionCase{"SecondIsTheInterface", {"USB Serial", "RUZ Interface"}, 2},
                      SelectionCase{"FirstIsTheInterface", {"RUZ Interface", "USB Serial"}, 1},
                      SelectionCase{"LastMatchWins", {"RUZ Interface", "RUZ Interface"}, 2},
                      SelectionCase{"Empty", {}, 0},
                      SelectionCase{"TrailingBlank", {"RUZ Interface "}, 0},
                      SelectionCase{"LetterCase", {"RUZ interface"}, 0},
                      SelectionCase{"OneCharacterOff", {"RUZ Interfacf"}, 0},
                      SelectionCase{"Shorter", {"RUZ Interfac"}, 0},
                      SelectionCase{"LeadingBlank", {" RUZ Interface"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkThreadTest, SkipsAPositionWhoseDescriptionCannotBeRead) {
  fake_.AddDevice("RUZ Interface");
  fake_.SetDescriptionFails(fake_.AddDevice("RUZ Interface"), true);
  Start();
  LetPassesRun();
  EXPECT_EQ(link_->DeviceIndex(), 1);
}

TEST_F(LinkThreadTest, AFailingListCountsAsNoDevices) {
  fake_.AddDevice("RUZ Interface");
  fake_.FailNext(Call::kList, 1'000'000);
  Start();
  LetPassesRun();
  EXPECT_EQ(link_->DeviceIndex(), 0);
  EXPECT_EQ(link_->StatusText(), "No Interface");
  fake_.FailNext(Call::kList, 0);
  EXPECT_TRUE(Eventually([&] { return link_->StatusText() == "RUZ Interface"; }));
}

TEST_F(LinkThreadTest, OpensWithTheRequestedRateAnd8N1ThenChangesTheRate) {
  const int id = StartOpen("7812");
  EXPECT_EQ(fake_.BaudRate(id), 7812u);
  const FakeDeviceLibrary::LineFormat format = fake_.Format(id);
  EXPECT_EQ(format.dataBits, 8);
  EXPECT_EQ(format.stopBits, 1);
  EXPECT_EQ(format.parity, Parity::kNone);
  EXPECT_EQ(fake_.ReadTimeout(id), 300ms);
  EXPECT_EQ(fake_.WriteTimeout(id), 300ms);

  EXPECT_FALSE(link_->ChangeBaudRate("15625"));
  EXPECT_EQ(fake_.BaudRate(id), 15625u);  // made before ChangeBaudRate returned
  EXPECT_TRUE(link_->IsOpen());
}

TEST_F(LinkThreadTest, ChangeBaudRateIsRefusedWithoutAnOpenDeviceOrByTheLibrary) {
  const int id = fake_.AddDevice("RUZ Interface");
  Start();
  LetPassesRun();
  EXPECT_TRUE(link_->ChangeBaudRate("15625"));
  EXPECT_EQ(fake_.Calls(Call::kSetBaudRate), 0);

  link_->RequestOpen("7812");
  ASSERT_TRUE(Eventually([&] { return link_->IsOpen(); }));
  fake_.FailNext(Call::kSetBaudRate, 1, DeviceStatus::kInvalidParameter);
  EXPECT_TRUE(link_->ChangeBaudRate("15625"));
  EXPECT_EQ(fake_.BaudRate(id), 7812u);
}

TEST_F(LinkThreadTest, ChangeBaudRateGivesUpInTimeWhenTheThreadIsBusy) {
  const int id = fake_.AddDevice("RUZ Interface");
  LinkThreadTiming timing = kQuickTiming;
  timing.baudChangeTimeout = 50ms;
  link_ = std::make_unique<TD2xxThread>(fake_, timing);
  link_->RequestOpen("7812");
  ASSERT_TRUE(Eventually([&] { return link_->IsOpen(); }));
  fake_.StallWrites(true);
  const std::uint8_t byte = 0x10;
  link_->QueueBytes(&byte, 1);
  ASSERT_TRUE(fake_.WaitForCalls(Call::kWrite, 1, 3000ms));  // the thread is stuck in it
  EXPECT_TRUE(link_->ChangeBaudRate("15625"));               // returns: refused, not hung
  fake_.StallWrites(false);
  LetPassesRun();
  EXPECT_EQ(fake_.BaudRate(id), 7812u);  // withdrawn, not made late
  EXPECT_EQ(fake_.Calls(Call::kSetBaudRate), 1);
}

TEST_F(LinkThreadTest, ABaudTextThatIsNotAWholeNumberIsRefused) {
  const int id = fake_.AddDevice("RUZ Interface");
  Start();
  for (const char* text :
       {"", "abc", "78 12", "7812x", " 7812", "-7812", "+7812", "0", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    link_->RequestOpen(text);
    LetPassesRun();
    EXPECT_EQ(fake_.Calls(Call::kOpen), 0);
  }
  link_->RequestOpen("15625");
  ASSERT_TRUE(Eventually([&] { return link_->IsOpen(); }));
  for (const char* text : {"", "fast", "7812.5"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(link_->ChangeBaudRate(text));
  }
  EXPECT_EQ(fake_.BaudRate(id), 15625u);
  EXPECT_EQ(fake_.Calls(Call::kSetBaudRate), 1);
}

TEST_F(LinkThreadTest, MovesFullRingsBothWaysInOrderWhileTheIndexesWrap) {
  const int id = StartOpen();
  // 255, 255, 255 bytes: the indexes pass 255 twice in each direction.
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    const std::vector<std::uint8_t> out = Sequence(255, static_cast<std::uint8_t>(round * 7));
    ASSERT_EQ(link_->QueueBytes(out.data(), out.size()), 255u);
    std::vector<std::uint8_t> written;
    ASSERT_TRUE(Eventually([&] {
      const std::vector<std::uint8_t> more = fake_.TakeWritten(id);
      written.insert(written.end(), more.begin(), more.end());
      return written.size() >= out.size();
    }));
    EXPECT_THAT(written, ElementsAreArray(out));

    const std::vector<std::uint8_t> in = Sequence(255, static_cast<std::uint8_t>(round * 11));
    fake_.DeviceSends(id, in);
    EXPECT_THAT(TakeAll(in.size()), ElementsAreArray(in));
  }
  // In portions that fit the pass's 100-byte buffers.
  EXPECT_LE(fake_.LargestRead(), 100u);
  EXPECT_LE(fake_.LargestWrite(), 100u);
}

TEST_F(LinkThreadTest, TakeBytesOnAnEmptyRingLeavesTheBufferAlone) {
  StartOpen();
  std::uint8_t buffer[kRingCapacity];
  std::fill(std::begin(buffer), std::end(buffer), 0xA5);
  EXPECT_EQ(link_->TakeBytes(buffer), 0u);
  EXPECT_TRUE(std::all_of(std::begin(buffer), std::end(buffer), [](auto b) { return b == 0xA5; }));
}

TEST_F(LinkThreadTest, AFullReceiveRingLeavesTheRestInTheDevice) {
  const int id = StartOpen();
  const std::vector<std::uint8_t> in = Sequence(300);
  fake_.DeviceSends(id, in);
  ASSERT_TRUE(Eventually([&] { return fake_.BytesWaitingAtHost(id) == 300 - 255; }));
  LetPassesRun();
  EXPECT_EQ(fake_.BytesWaitingAtHost(id), 300u - 255u);  // nothing read past the room
  std::uint8_t buffer[kRingCapacity];
  ASSERT_EQ(link_->TakeBytes(buffer), 255u);
  std::vector<std::uint8_t> taken(buffer, buffer + 255);
  const std::vector<std::uint8_t> rest = TakeAll(45);
  taken.insert(taken.end(), rest.begin(), rest.end());
  EXPECT_THAT(taken, ElementsAreArray(in));
}

// A frame goes out whole or not at all: part of one would be garbage on the line.
TEST_F(LinkThreadTest, AFullTransmitRingTakesOnlyWhatFitsWhole) {
  const int id = fake_.AddDevice("RUZ Interface");
  Start();  // not open: nothing drains the ring
  const std::vector<std::uint8_t> out = Sequence(300);
  EXPECT_EQ(link_->QueueBytes(out.data(), 200), 200u);
  EXPECT_EQ(link_->QueueBytes(out.data() + 200, 100), 0u);
  EXPECT_EQ(link_->QueueBytes(out.data() + 200, 55), 55u);
  EXPECT_EQ(link_->QueueBytes(out.data() + 255, 1), 0u);
  link_->RequestOpen("7812");
  std::vector<std::uint8_t> written;
  ASSERT_TRUE(Eventually([&] {
    const std::vector<std::uint8_t> more = fake_.TakeWritten(id);
    written.insert(written.end(), more.begin(), more.end());
    return written.size() >= 255;
  }));
  EXPECT_THAT(written, ElementsAreArray(out.begin(), out.begin() + 255));
}

TEST_F(LinkThreadTest, UnplugClosesWithinAPassAndKeepsReceivedBytes) {
  const int id = StartOpen();
  const std::vector<std::uint8_t> in = Sequence(10, 40);
  fake_.DeviceSends(id, in);
  ASSERT_TRUE(Eventually([&] { return fake_.BytesWaitingAtHost(id) == 0; }));
  LetPassesRun(1);  // the bytes read are in the ring
  fake_.Unplug(id);
  ASSERT_TRUE(Eventually([&] { return !link_->IsOpen(); }));
  EXPECT_TRUE(Eventually([&] { return link_->StatusText() == "No Interface"; }));
  EXPECT_EQ(link_->DeviceIndex(), 0);
  EXPECT_TRUE(Eventually([&] { return fake_.HandlesHeld() == 0; }));  // released
  std::uint8_t buffer[kRingCapacity];
  ASSERT_EQ(link_->TakeBytes(buffer), in.size());
  EXPECT_THAT(std::vector<std::uint8_t>(buffer, buffer + in.size()), ElementsAreArray(in));
}

TEST_F(LinkThreadTest, AnOpenRequestRaisedWhileOpenReopensAfterReplugAndHoldsOffClose) {
  const int id = StartOpen("7812");
  link_->RequestOpen("7812");  // stays raised: the device is open already
  link_->RequestClose();
  ASSERT_FALSE(link_->ChangeBaudRate("15625"));  // not stored for later opens
  LetPassesRun();
  EXPECT_TRUE(link_->IsOpen());
  EXPECT_EQ(fake_.BaudRate(id), 15625u);
  fake_.Unplug(id);
  ASSERT_TRUE(Eventually([&] { return !link_->IsOpen(); }));
  fake_.Plug(id);
  // Reopened by itself (and closed a pass later, which a look at IsOpen could miss).
  // At the rate stored for opens, not the one changed to.
  EXPECT_TRUE(
      Eventually([&] { return fake_.Calls(Call::kOpen) == 2 && fake_.BaudRate(id) == 7812u; }));
  // The open request is lowered now, so the close request is served.
  EXPECT_TRUE(Eventually([&] { return !link_->IsOpen(); }));
  EXPECT_FALSE(fake_.IsDeviceOpen(id));
}

TEST_F(LinkThreadTest, ACloseRequestedWhileClosedDoesNotCloseTheNextOpen) {
  const int id = fake_.AddDevice("RUZ Interface");
  Start();
  LetPassesRun();
  link_->RequestClose();
  link_->RequestOpen("7812");
  ASSERT_TRUE(Eventually([&] { return link_->IsOpen(); }));
  LetPassesRun();
  EXPECT_TRUE(link_->IsOpen());
  EXPECT_EQ(fake_.Calls(Call::kClose), 0);
  EXPECT_TRUE(fake_.IsDeviceOpen(id));
}

// A wait, read or write that finds the device gone closes it, although it may still be
// listed (another cable of the same description, or this one back under a new handle); the
// open flag says so, and the handle is released.
TEST_F(LinkThreadTest, ACallThatFindsTheDeviceGoneClosesItWhileItStaysListed) {
  for (const Call call : {Call::kWait, Call::kWrite}) {
    SCOPED_TRACE(static_cast<int>(call));
    FakeDeviceLibrary fake;
    const int id = fake.AddDevice("RUZ Interface");
    TD2xxThread link(fake, kQuickTiming);
    link.RequestOpen("7812");
    ASSERT_TRUE(Eventually([&] { return link.IsOpen(); }));
    fake.FailNext(call, 1, DeviceStatus::kDeviceGone);
    const std::uint8_t byte = 0x10;
    link.QueueBytes(&byte, 1);
    ASSERT_TRUE(Eventually([&] { return !link.IsOpen(); }));
    EXPECT_EQ(link.StatusText(), "RUZ Interface");
    EXPECT_TRUE(Eventually([&] { return fake.HandlesHeld() == 0; }));
    link.RequestOpen("7812");  // and it opens again when asked
    EXPECT_TRUE(Eventually([&] { return link.IsOpen() && fake.IsDeviceOpen(id); }));
  }
}

TEST_F(LinkThreadTest, AFailingOpenIsRetriedOnEveryPass) {
  fake_.FailNext(Call::kOpen, 3);
  const int id = StartOpen();
  EXPECT_EQ(fake_.Calls(Call::kOpen), 4);
  EXPECT_TRUE(fake_.IsDeviceOpen(id));
}

TEST_F(LinkThreadTest, AFailingCloseIsRetriedOnEveryPass) {
  const int id = StartOpen();
  fake_.FailNext(Call::kClose, 2);
  link_->RequestClose();
  ASSERT_TRUE(Eventually([&] { return !link_->IsOpen(); }));
  EXPECT_EQ(fake_.Calls(Call::kClose), 3);
  EXPECT_FALSE(fake_.IsDeviceOpen(id));
  EXPECT_EQ(fake_.HandlesHeld(), 0u);
}

TEST_F(LinkThreadTest, FailedReadsAndWritesAreDroppedAndTheLinkGoesOn) {
  const int id = StartOpen();
  fake_.FailNext(Call::kWrite, 1);
  const std::vector<std::uint8_t> first = {1, 2, 3};
  link_->QueueBytes(first.data(), first.size());
  ASSERT_TRUE(fake_.WaitForCalls(Call::kWrite, 1, 3000ms));
  const std::vector<std::uint8_t> second = {4, 5};
  link_->QueueBytes(second.data(), second.size());
  std::vector<std::uint8_t> written;
  ASSERT_TRUE(Eventually([&] {
    const std::vector<std::uint8_t> more = fake_.TakeWritten(id);
    written.insert(written.end(), more.begin(), more.end());
    return written.size() >= 2;
  }));
  EXPECT_THAT(written, ElementsAreArray(second));

  fake_.FailNext(Call::kRead, 1);
  fake_.DeviceSends(id, {9, 8, 7});
  EXPECT_THAT(TakeAll(3), ElementsAreArray({9, 8, 7}));  // read again on a later pass
  EXPECT_TRUE(link_->IsOpen());
}

TEST_F(LinkThreadTest, RunsAsD2xxPortAndClosesTheDeviceWhenDestroyed) {
  const int id = StartOpen();
  bool named = false;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    named = named || name == "D2xxPort";
  }
  EXPECT_TRUE(named);
  link_.reset();
  EXPECT_FALSE(fake_.IsDeviceOpen(id));
  EXPECT_EQ(fake_.HandlesHeld(), 0u);
}

}  // namespace
}  // namespace rizazovoz
