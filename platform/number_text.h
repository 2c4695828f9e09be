// Numbers as the settings dialogs read and write them: always with a decimal point, whatever the
// user's locale (a Qt program runs under the environment's, where printf and sscanf may take a
// comma), and strict about what counts as a number.
#pragma once

#include <optional>
#include <string>

namespace zem {

// Like printf's "%.<digits>g".
std::string FormatSignificant(double value, int digits);
// Like printf's "%.<decimals>f" ("%f" by default).
std::string FormatFixed(double value, int decimals = 6);
// The whole text (surrounding blanks allowed) as a finite number; nothing for empty text,
// letters, trailing characters, or numbers too large to hold.
std::optional<double> ParseReal(const std::string& text);
std::optional<int> ParseInt(const std::string& text);

} // namespace zem
