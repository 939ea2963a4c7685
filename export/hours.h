// Weekly hours of a subject: the hours text of the subject-course file read
// as a number, and the session pattern built from it.
#pragma once

#include <string>
#include <string_view>

namespace tht {

// The hours text of a subject-course record as a number's text: "1" when
// blank, every "," replaced by ".".
std::string hoursNumberText(std::string_view written);

// The weekly hours a subject-course record gives: its hours text read by
// parseHours() after hoursNumberText(), and 1 when that is not at least 1.
double weeklyHours(std::string_view written);

// The number an hours text denotes, read with "." as the decimal point
// whatever the user's regional settings: an optional sign, digits with at
// most one "." among them (".5" and "5." included), and an optional
// exponent. Throws "'<text>' no es un valor punto flotante válido"
// otherwise. A value beyond the range of a double reads as the largest one
// of its sign (the table field can hold nothing larger).
double parseHours(const std::string& text);

// The session pattern of `hours` (at least 1): n = the whole part; "1" n
// times up to 13, else the decimal text of n - 13 and thirteen "1"; then
// "\xBD" (½) when there is a fraction. Cut to `maxLength` characters.
std::string sessionPattern(double hours, size_t maxLength);

}  // namespace tht
