#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "livedata/fault_code_report.h"
#include "livedata/status_flag_report.h"

namespace rizazovoz {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

FaultCodeReport ReportFor(std::string_view identity) {
  FaultCodeReport report;
  report.SetIdentity(identity);
  return report;
}

TEST(FaultCodeReport, ListsEachSetBitAsCodeDescriptionAndAnEmptyLine) {
  const FaultCodeReport r1103 = ReportFor("1103");
  EXPECT_EQ(r1103.CurrentText({}), "No Current Codes");
  EXPECT_EQ(r1103.StoredText({}), "No Stored Codes");

  const std::string one = r1103.CurrentText({1, 0, 0, 0, 0});
  EXPECT_THAT(one, StartsWith("Code 13\n  Lambda Sensor Bank 1 - ECU will drive mixture"));
  EXPECT_TRUE(one.ends_with("\n\n"));
  EXPECT_EQ(one.find("Code ", 1), std::string::npos);
  EXPECT_EQ(r1103.StoredText({1, 0, 0, 0, 0}), "No Stored Codes");

  EXPECT_EQ(r1103.StoredText({0, 0, 1, 0, 0}).substr(0, 20), one.substr(0, 20));
  EXPECT_EQ(r1103.CurrentText({0, 0, 1, 0, 0}), "No Current Codes");

  const std::string two = r1103.CurrentText({0x81, 0, 0, 0, 0});  // bit order: 13, then 25
  EXPECT_LT(two.find("Code 13\n"), two.find("Code 25\n  Air Temperature Sensor signal Low"));
}

TEST(FaultCodeReport, OddTextsAreCutAtTheSamePlaces) {
  EXPECT_EQ(ReportFor("1903").CurrentText({0, 0x10, 0, 0, 0}), "Code 46\n   ISC\n\n");
  EXPECT_EQ(ReportFor("F602").CurrentText({0, 0, 0, 0, 0x01}),
            "Code   \n   Unallocated fault flag\n\n");
  // Byte 4 holds current faults: the automatic transmission's on "1702".
  const std::string transmission = ReportFor("1702").CurrentText({0, 0, 0, 0, 0xFF});
  EXPECT_THAT(transmission, HasSubstr("Code 61\n  Shift Solenoid Valve A (#1)\n\n"));
  EXPECT_EQ(ReportFor("1702").StoredText({0, 0, 0, 0, 0xFF}), "No Stored Codes");
}

std::vector<StatusRow> RowsFor(std::string_view identity, StatusBytes status) {
  StatusFlagReport report;
  report.SetIdentity(identity);
  return report.Rows(status);
}

TEST(StatusFlagReport, ShowsTheImplementedFlagsInWordsInBitOrder) {
  EXPECT_THAT(
      RowsFor("1103", {}),
      ElementsAre(StatusRow{"Evap. Can. Purge", "OFF"}, StatusRow{"EGR Valve", "OFF"},
                  StatusRow{"Rich/Lean Monitor", "LEAN"}, StatusRow{"Idle Position", "OPEN"},
                  StatusRow{"D Range Shift Switch", "PN"}, StatusRow{"AC Pressure Switch", "OFF"},
                  StatusRow{"PS Switch", "OFF"}));
  const std::vector<StatusRow> on = RowsFor("1103", {4, 16, 0, 0, 0});
  EXPECT_EQ(on[0], (StatusRow{"Evap. Can. Purge", "ON"}));
  EXPECT_EQ(on[3], (StatusRow{"Idle Position", "IDLE"}));
}

TEST(StatusFlagReport, RowCountsFollowTheEcu) {
  EXPECT_EQ(RowsFor("F802", {}).size(), 18u);
  EXPECT_EQ(RowsFor("F602", {}).size(), 17u);
  // Status byte 4 is never received: what "1702" maps there reads off, whatever else is on.
  const std::vector<StatusRow> rows = RowsFor("1702", {0xFF, 0xFF, 0xFF, 0xFF, 0});
  const auto tcc = std::find_if(rows.begin(), rows.end(), [](const StatusRow& row) {
    return row.name == "TCC Solenoid Mon.";
  });
  ASSERT_NE(tcc, rows.end());
  EXPECT_EQ(tcc->state, "OFF");
}

}  // namespace
}  // namespace rizazovoz
