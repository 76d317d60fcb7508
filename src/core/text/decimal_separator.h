#pragma once
// The user's decimal separator, read once at start-up from the C library's numeric locale.
namespace rizazovoz {

// The separator of the current LC_NUMERIC locale. The caller selects the user's locale first
// (setlocale(LC_NUMERIC, "")). A separator that is not a single byte reads as '.'.
char decimalSeparatorFromLocale();

// The rule behind it, for a locale's decimal_point text (may be null).
char decimalSeparatorFromText(const char* decimalPoint);

}  // namespace rizazovoz
