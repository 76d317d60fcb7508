#pragma once
// What the ECU conversation tells the windows. The main window implements these and passes
// each call on to the window concerned; tests record them. Every call is made on the
// user-interface thread from inside a timer tick and must return without waiting for the user.
#include <cstdint>
#include <string>

namespace rizazovoz {

// The main window's and the data viewer's status bars share this layout, left to right.
enum class StatusBar { kMain, kDataViewer };
enum class StatusPanel { kLink = 0, kConnection = 1, kSampleRate = 2, kErrors = 3 };

class StatusPanels {
 public:
  virtual ~StatusPanels() = default;
  virtual void SetStatusPanel(StatusBar bar, StatusPanel panel, const std::string& text) = 0;
};

// The two dashboard gauges whose title and scale follow the connected ECU.
class DashboardGauges {
 public:
  virtual ~DashboardGauges() = default;
  // "MAF(g/s)" 500, "AFM(l/m)" 1800 or "MAP(mbar)" 1100; the tick count is left alone.
  virtual void SetAirflowGauge(const std::string& title, int fullScale) = 0;
  // The economy gauge turned idle-air gauge: "IAC Flow", "IAC Duty" or "IAC Pos", 100, 10.
  virtual void SetEconomyGauge(const std::string& title, int fullScale, int ticks) = 0;
};

// The secondary windows that follow the connected ECU.
class EcuWindows {
 public:
  virtual ~EcuWindows() = default;
  // Formatted (named, scaled) display is available for the ECU, or only raw slot bytes.
  virtual void SetDataViewerFormatted(bool formatted) = 0;
  virtual void SetLoggerChannelMode(bool named) = 0;
  virtual void SetFaultViewerEcuId(const std::string& identity) = 0;
  virtual void SetStatusViewerEcuId(const std::string& identity) = 0;
  virtual void SetActuatorFlags(std::uint8_t flags) = 0;
  virtual void ShowEcuId(const std::string& identity) = 0;
  // For an ECU the tables do not describe only the data viewer is of use.
  virtual void HideMainShowDataViewer() = 0;
};

}  // namespace rizazovoz
