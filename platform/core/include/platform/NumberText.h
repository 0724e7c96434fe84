// Numbers at the start of a text, read as the C library reads them in the
// "C" locale, whatever locale the process runs in.
#pragma once

// Leading blanks, a sign, digits with a decimal point and an exponent, or a
// hexadecimal number; 0 when there is none. *end, when given, points after
// the number (at text when there is none).
double LeadingFloat(const char* text, const char** end = nullptr);
long double LeadingLongFloat(const char* text);
