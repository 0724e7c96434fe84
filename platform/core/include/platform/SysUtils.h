// Conversions and text helpers of the class library.
#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

AnsiString IntToStr(int v);
AnsiString IntToStr(long long v);
// Upper-case hexadecimal, at least `digits` digits.
AnsiString IntToHex(long long v, int digits);

// Leading blanks, a sign and "$" or "0x" hexadecimal are accepted; anything
// else throws EConvertError ("'abc' is not a valid integer value").
int StrToInt(const AnsiString& s);
int StrToIntDef(const AnsiString& s, int def);
long long StrToInt64(const AnsiString& s);
long long StrToInt64Def(const AnsiString& s, long long def);
// Surrounding blanks are accepted; throws EConvertError
// ("'abc' is not a valid floating point value").
double StrToFloat(const AnsiString& s);

// General format, 15 significant digits: "4094", "2.5", "2.2250738585072E-308".
AnsiString FloatToStr(double v);

AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

// Case-insensitive (ASCII) equality and comparison; ordinal comparison.
bool SameText(const AnsiString& a, const AnsiString& b);
int CompareText(const AnsiString& a, const AnsiString& b);
int AnsiCompareText(const AnsiString& a, const AnsiString& b);
int AnsiCompareStr(const AnsiString& a, const AnsiString& b);
