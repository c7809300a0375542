#pragma once
// The one number-to-text routine: offsets in parse errors, byte counts in file
// notes, profile numbers and error codes are all written with it.

#include <string>

// The value in decimal digits, with a leading '-' when negative.
std::u16string DecimalText(long long value);
