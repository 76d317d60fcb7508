#pragma once
// The data logger: four channels sampled on the window's timer, shown as values, scale and
// time labels and four scrolling graphs, and recorded to "kelvolog.csv" from Start to Stop.
// The window (or the command-line logger) holds one and puts its texts on the controls:
//
//   DataLogger logger;                                  // window made
//   logger.ApplySettings(readLoggerSettings());
//   for (path : logger.RecoverJournals().files) tell the user where a crashed recording went
//   timer.setInterval(logger.SampleInterval());  panel1 = logger.SampleIntervalPanel();
//   Start button:  if (logger.Start(LocalDateTimeText(time(nullptr))).started) timer.start();
//   timer tick:    if (auto texts = logger.Tick(live, steady_clock::now(), separator)) show;
//                  repaint graphs from logger.Graph(n)
//   Stop button:   timer.stop(); panel3 = kSavingText; StopOutcome o = logger.Stop();
//                  if (o.panelText) panel3 = *o.panelText; if (o.error) message box
//   window closed: same as Stop with logger.Close(); then writeLoggerSettings(...)
//
// While logging, the channels, the time base and "Save To File" cannot change (the window
// disables their controls); the output folder and the channel mode can.
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "livedata/live_values.h"
#include "logger/graph_model.h"
#include "logger/journal_recovery.h"
#include "logger/log_recorder.h"
#include "logger/logger_settings.h"
#include "logger/parameter_table.h"
#include "logger/time_labels.h"

namespace rizazovoz {

inline constexpr std::size_t kLoggerChannels = 4;
inline constexpr std::string_view kLogFileName = "kelvolog.csv";
inline constexpr std::string_view kSavingText = "Saving data to file......";  // panel 3
inline constexpr std::string_view kSavedText = "Done";
inline constexpr std::string_view kNotSavedText = "Not saved - Stop to try again";

struct ChannelLabels {
  std::string value;  // the reading as a whole number
  std::string max;    // the graph's top ("Max" label), from before this sample's rescale
  std::string min;    // the graph's bottom: "0", or "-40" for an offset parameter
};

struct TickTexts {
  std::array<ChannelLabels, kLoggerChannels> channels;
  TimeLabelTexts times;                // T0 ... T4, the same under every graph
  std::string fileSize;                // panel 3: "File size N bytes"
  std::optional<std::string> message;  // once, when the recording's disk copy fails
};

struct StartOutcome {
  bool started = false;               // false: it was logging already, nothing changed
  std::vector<std::string> messages;  // to show the user
};

struct StopOutcome {
  bool changed = false;                         // false: idle with nothing to write
  std::optional<std::string> panelText;         // panel 3 from now on; nothing: leave it
  std::optional<std::string> error;             // "Cannot write PATH: REASON", for a message box
  std::filesystem::path file;                   // written, or tried
  std::optional<std::filesystem::path> keptAs;  // where the file it replaced was kept
};

class DataLogger {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  DataLogger();

  // Settings. Those that cannot change while logging are left as they are then; a time base
  // that is refused keeps the current one.
  void ApplySettings(const LoggerSettings& settings);
  // The settings as they are now; the window puts its position into them before writing.
  LoggerSettings CurrentSettings() const;

  // Channels 0 ... 3. False, and nothing changes, while logging.
  bool SetChannel(std::size_t channel, std::string_view name);
  const std::array<std::string, kLoggerChannels>& ChannelSelection() const { return selection_; }
  // Named parameters, or raw address channels when the ECU's values are not decoded. The
  // chosen channels stay as they are.
  void SetChannelMode(bool namedChannels);
  bool NamedChannels() const { return named_; }
  const std::vector<std::string>& ChannelList() const { return channelList_; }

  // Seconds per division, a whole number from 1 to 3600. False, and the current time base
  // kept, for any other text and while logging.
  bool ApplyTimeBase(std::string_view text);
  const std::string& TimeBase() const { return timeBase_; }
  std::int32_t SampleInterval() const { return sampleInterval_; }  // ms
  std::string SampleIntervalPanel() const;                         // panel 1

  // "Save To File"; false, and nothing changes, while logging.
  bool SetSaveToFile(bool save);
  bool SaveToFile() const { return saveToFile_; }
  // The chosen output folder, as the user gave it; used from the next Stop on.
  void SetLogPath(std::string folder) { logPath_ = std::move(folder); }
  const std::string& LogPath() const { return logPath_; }
  // The full path Stop writes to: the chosen folder, or the working directory when that
  // folder cannot be entered.
  std::filesystem::path OutputFilePath() const;
  std::string OutputFilePanel() const;  // panel 2: "Output file:    kelvolog.csv"
  // Recordings a crash left behind, in the output folder and the working directory.
  RecoveredJournals RecoverJournals() const;

  bool Logging() const { return logging_; }
  // `dateTimeText` is the moment of Start as the file's "Time," line shows it.
  StartOutcome Start(std::string_view dateTimeText);
  // One sample, taken at `now` on the steady clock. Nothing while idle.
  std::optional<TickTexts> Tick(const LiveValues& values, TimePoint now, char decimalSeparator);
  // Stops logging and writes the recording; in Idle, writes a recording that could not be
  // written before, or does nothing.
  StopOutcome Stop();
  // For the end of the program: what Stop does, so that no recording is left unwritten.
  StopOutcome Close() { return Stop(); }

  const GraphModel& Graph(std::size_t channel) const { return graphs_[channel]; }
  std::uint32_t SampleCount() const { return sampleCount_; }
  const LogRecorder& Recorder() const { return recorder_; }

 private:
  std::array<std::string, kLoggerChannels> selection_{"RPM", "MAP", "CTS", "IAT"};
  std::array<Channel, kLoggerChannels> channels_;
  bool named_ = true;
  std::vector<std::string> channelList_;
  std::string timeBase_ = "10";
  std::int32_t sampleInterval_ = 400;
  bool saveToFile_ = true;
  std::string logPath_;
  LoggerSettings placement_;  // the window's position, kept as read

  bool logging_ = false;
  bool recording_ = false;  // this Start records
  std::uint32_t sampleCount_ = 0;
  std::array<GraphModel, kLoggerChannels> graphs_{GraphModel(25), GraphModel(20), GraphModel(20),
                                                  GraphModel(20)};
  LogRecorder recorder_;
};

}  // namespace rizazovoz
