#include "logger/data_logger.h"

#include <algorithm>
#include <limits>

#include "logger/channel_lists.h"
#include "logger/output_folder.h"
#include "logger/time_base.h"
#include "text/number_format.h"

namespace rizazovoz {

namespace fs = std::filesystem;

namespace {
constexpr std::int32_t kOffset = 40;  // offset parameters show down to -40
}

DataLogger::DataLogger() : channelList_(rizazovoz::ChannelList(true)) {
  for (std::size_t n = 0; n < kLoggerChannels; ++n) channels_[n] = Channel(selection_[n]);
  ApplyTimeBase(timeBase_);
}

void DataLogger::ApplySettings(const LoggerSettings& settings) {
  placement_ = settings;
  for (std::size_t n = 0; n < kLoggerChannels; ++n) SetChannel(n, settings.channels[n]);
  ApplyTimeBase(settings.timeBase);
  logPath_ = settings.filePath;
}

LoggerSettings DataLogger::CurrentSettings() const {
  LoggerSettings settings = placement_;
  settings.filePath = logPath_;
  settings.channels = selection_;
  settings.timeBase = timeBase_;
  return settings;
}

bool DataLogger::SetChannel(std::size_t channel, std::string_view name) {
  if (logging_ || channel >= kLoggerChannels) return false;
  selection_[channel] = std::string(name);
  channels_[channel] = Channel(name);
  return true;
}

void DataLogger::SetChannelMode(bool namedChannels) {
  named_ = namedChannels;
  channelList_ = rizazovoz::ChannelList(namedChannels);
}

bool DataLogger::ApplyTimeBase(std::string_view text) {
  if (logging_) return false;
  const std::optional<std::int32_t> interval = SampleIntervalFor(text, graphs_[0].GridSize());
  if (!interval) return false;
  timeBase_ = std::string(text);
  sampleInterval_ = *interval;
  return true;
}

std::string DataLogger::SampleIntervalPanel() const { return SampleIntervalText(sampleInterval_); }

bool DataLogger::SetSaveToFile(bool save) {
  if (logging_) return false;
  saveToFile_ = save;
  return true;
}

fs::path DataLogger::OutputFilePath() const { return OutputFolder(logPath_) / kLogFileName; }

std::string DataLogger::OutputFilePanel() const {
  return "Output file:    " + std::string(kLogFileName);
}

RecoveredJournals DataLogger::RecoverJournals() const {
  RecoveredJournals all = rizazovoz::RecoverJournals(OutputFolder(logPath_));
  const fs::path working = OutputFolder("");
  if (working != OutputFolder(logPath_)) {
    RecoveredJournals more = rizazovoz::RecoverJournals(working);
    all.files.insert(all.files.end(), more.files.begin(), more.files.end());
    all.errors.insert(all.errors.end(), more.errors.begin(), more.errors.end());
  }
  return all;
}

StartOutcome DataLogger::Start(std::string_view dateTimeText) {
  StartOutcome outcome;
  if (logging_) return outcome;
  outcome.started = true;
  logging_ = true;
  recording_ = saveToFile_;
  sampleCount_ = 0;
  recorder_.ResetCounters();
  if (recording_) {
    // The header names what the columns hold: the channels the rows are read from.
    outcome.messages = recorder_.StartRecording(dateTimeText, selection_, OutputFolder(logPath_));
  }
  return outcome;
}

std::optional<TickTexts> DataLogger::Tick(const LiveValues& values, TimePoint now,
                                          char decimalSeparator) {
  if (!logging_) return std::nullopt;
  ++sampleCount_;
  TickTexts texts;
  for (std::size_t n = 0; n < kLoggerChannels; ++n) {
    const ChannelReading reading = channels_[n].Reading(values);
    GraphModel& graph = graphs_[n];
    ChannelLabels& labels = texts.channels[n];
    labels.value = formatInteger(reading.value);
    const std::int64_t scale = graph.Scale();  // before this sample rescales the graph
    std::int64_t plotted = reading.value;
    if (reading.offset) {
      labels.min = "-40";
      labels.max = formatInteger(scale - kOffset);
      plotted = std::max<std::int64_t>(plotted + kOffset, 0);
    } else {
      labels.min = "0";
      labels.max = formatInteger(scale);
      if (n > 0) plotted = std::max<std::int64_t>(plotted, 0);  // channel 1 shows negatives
    }
    plotted = std::min<std::int64_t>(plotted, std::numeric_limits<std::int32_t>::max());
    graph.DataPoint(kChannelColours[n], static_cast<std::int32_t>(plotted));
    graph.Update();
  }
  texts.times = TimeLabels(sampleCount_, sampleInterval_, graphs_[0].Width(), decimalSeparator);
  if (recording_) {
    recorder_.RecordRow(channels_, values, sampleInterval_, now);
    texts.message = recorder_.TakeJournalProblem();
  }
  texts.fileSize = recorder_.FileSizeText();
  return texts;
}

StopOutcome DataLogger::Stop() {
  StopOutcome outcome;
  if (!logging_ && !recorder_.Unsaved()) return outcome;
  outcome.changed = true;
  logging_ = false;
  recording_ = false;
  if (!recorder_.Unsaved()) return outcome;
  outcome.file = OutputFilePath();
  RecordingWrite written = recorder_.Finish(outcome.file);
  outcome.keptAs = std::move(written.keptAs);
  outcome.error = std::move(written.error);
  outcome.panelText = std::string(outcome.error ? kNotSavedText : kSavedText);
  return outcome;
}

}  // namespace rizazovoz
