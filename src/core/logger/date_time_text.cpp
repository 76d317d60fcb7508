#include "logger/date_time_text.h"

#include <locale.h>

namespace rizazovoz {

std::string DateTimeText(const std::tm& local, const char* localeName) {
  locale_t locale = ::newlocale(LC_TIME_MASK, localeName, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) {
    locale = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
  }
  const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
  char text[256];
  const std::size_t length =
      ::strftime_l(text, sizeof text, midnight ? "%x" : "%x %X", &local, locale);
  ::freelocale(locale);
  return std::string(text, length);
}

std::string LocalDateTimeText(std::time_t moment) {
  std::tm local{};
  ::localtime_r(&moment, &local);
  return DateTimeText(local, "");
}

}  // namespace rizazovoz
