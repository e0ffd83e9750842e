// The host runtime's conversions that the tools rely on.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace qdr2_Gomiat {

// Round half to even into 32 / 16 bits; out of range is Failure 6.
int32_t CLng(double v);
int16_t CInt(double v);

// Signed whole-number text: " 5", "-5", " 0".
std::string Str(int64_t v);
// Plain whole-number text: "5", "-5".
std::string CStr(int64_t v);

// Numeric value at the start of a text: leading blanks skipped, blanks inside
// the number ignored, stops at the first character that cannot continue it;
// 0 when there is none. Never fails.
double Val(std::string_view text);

// Whole number from a text that must be numeric (blanks around allowed,
// decimals rounded half to even); anything else is Failure 13, out of range
// Failure 6.
int32_t CLngText(std::string_view text);
// Boolean from a text: "True"/"False" (any case), "Verdadero"/"Falso", or a
// number (non-zero is True); anything else is Failure 13.
bool CBoolText(std::string_view text);
// Boolean as the runtime writes it into text.
inline std::string BoolText(bool v) { return v ? "True" : "False"; }

// Date with tokens yyyy, mm, dd ("yyyy-mm-dd").
std::string FormatDate(const std::tm& t, std::string_view pattern);
// Time with tokens hh, MM (or mm/nn), SS (or ss) ("hh: MM:SS").
std::string FormatTime(const std::tm& t, std::string_view pattern);

// Surrounding blanks removed.
std::string_view Trim(std::string_view s);

}  // namespace qdr2_Gomiat
