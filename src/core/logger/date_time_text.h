#pragma once
// The moment a recording starts, as its file's "Time," line shows it: the short date of the
// user's locale, a space and the time; only the date at exactly midnight.
//   logger.Start(now, LocalDateTimeText(std::time(nullptr)));
#include <ctime>
#include <string>

namespace rizazovoz {

// In the locale the environment names for dates and times (LC_ALL, LC_TIME, LANG).
std::string LocalDateTimeText(std::time_t moment);

// In the named locale ("C" in tests), for a broken-down local time.
std::string DateTimeText(const std::tm& local, const char* localeName);

}  // namespace rizazovoz
