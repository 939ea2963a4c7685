#include "export/hours.h"

#include <cfloat>
#include <charconv>
#include <cmath>

#include "core/error_texts.h"
#include "platform/error.h"

namespace tht {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `text` is written the way hours may be: sign, digits with at most
// one point, at least one digit, optional exponent with at least one digit.
bool isDecimalNumber(const std::string& text) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  size_t digits = 0;
  bool point = false;
  for (; at < text.size(); ++at) {
    if (isDigit(text[at])) {
      ++digits;
    } else if (text[at] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const size_t exponentStart = at;
    while (at < text.size() && isDigit(text[at])) ++at;
    if (at == exponentStart) return false;
  }
  return at == text.size();
}

}  // namespace

double parseHours(const std::string& text) {
  if (!isDecimalNumber(text)) throw Error(notAFloatMessage(text));
  const bool negative = text[0] == '-';
  const std::string unsignedText = text[0] == '+' || text[0] == '-' ? text.substr(1) : text;
  double value = 0;
  const auto result = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small reads as 0; too large as the largest double.
    const size_t exponent = unsignedText.find_first_of("eE");
    const bool tiny = exponent != std::string::npos && unsignedText[exponent + 1] == '-';
    value = tiny ? 0.0 : DBL_MAX;
  }
  return negative ? -value : value;
}

std::string hoursNumberText(std::string_view written) {
  std::string text = written.empty() ? std::string("1") : std::string(written);
  for (char& c : text)
    if (c == ',') c = '.';
  return text;
}

double weeklyHours(std::string_view written) {
  const double hours = parseHours(hoursNumberText(written));
  return hours >= 1 ? hours : 1;
}

std::string sessionPattern(double hours, size_t maxLength) {
  // Clamped first: a huge number of hours has no integer of its own.
  const double whole = std::floor(std::min(hours, 1e15));
  const long long n = static_cast<long long>(whole);
  std::string pattern = n <= 13 ? std::string(static_cast<size_t>(std::max(n, 0LL)), '1')
                                : std::to_string(n - 13) + std::string(13, '1');
  if (std::floor(hours) < hours) pattern += '\xBD';
  return pattern.substr(0, maxLength);
}

}  // namespace tht
