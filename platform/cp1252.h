// Code page 1252 text: conversion for display, and the comparison that
// ignores letter case which the code list and the start-time set use.
#pragma once

#include <string>
#include <string_view>

namespace tht {

// UTF-8 text of CP1252 bytes, for display only. Every byte maps to a
// character; the five bytes CP1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control characters of the same value.
std::string cp1252ToUtf8(const std::string& bytes);

// The reverse, for texts typed by the user or read from the system (folder
// names); characters CP1252 cannot hold become '?'.
std::string utf8ToCp1252(const std::string& utf8);

// Folds one byte to its small letter: A-Z, the accented capitals 0xC0-0xDE
// (but 0xD7, the multiplication sign) and the pairs 0x8A/0x9A, 0x8C/0x9C,
// 0x8E/0x9E, 0x9F/0xFF. Any other byte is unchanged.
unsigned char foldCase(unsigned char c);
std::string foldCase(const std::string& text);

// Byte order of the folded texts: negative, zero or positive. Texts equal
// apart from letter case compare 0; an accent, a character or the length
// keeps them apart.
int compareIgnoringCase(const std::string& a, const std::string& b);

// The text with a-z upper-cased, or A-Z lower-cased; every other byte,
// accented letters included, unchanged. The folding of names the system
// matches by ASCII rules: file names, field names, ini keys, command words.
std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);

}  // namespace tht
