#pragma once
// The one conversion of text to a whole number in the front end.
//
// A text is a number when it is any number of leading blanks followed either
// by an optional "+" or "-" and decimal digits to the end of the text (the
// value in the signed 32-bit range), or by a hexadecimal prefix ("$", "x",
// "X", "0x", "0X") and hexadecimal digits of either case to the end (the
// value fitting in 32 bits, read as a signed 32-bit pattern). Anything else
// fails: the empty text, blanks only, a sign alone, a sign before a prefix, a
// trailing blank. Texts of any length are read without overflow.
#include <QString>
#include <optional>

std::optional<int> TryStrToInt(const QString &text);

// As TryStrToInt; throws QelError "'text' is not a valid integer value".
int StrToInt(const QString &text);
