#include "platform/grid/cell_rules.h"

namespace qdr2_Gomiat {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool IsNumberKind(int16_t kind) noexcept {
  return kind == 0 || kind == 1 || kind == 3;
}

bool IsNumberText(std::string_view t) noexcept {
  while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
  while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
  if (t.empty()) return true;
  size_t i = 0;
  const size_t n = t.size();
  if (t[i] == '+' || t[i] == '-') ++i;
  size_t digits = 0;
  while (i < n && IsDigit(t[i])) ++i, ++digits;
  if (i < n && (t[i] == '.' || t[i] == ',')) {
    ++i;
    while (i < n && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t exp_digits = 0;
    while (i < n && IsDigit(t[i])) ++i, ++exp_digits;
    if (exp_digits == 0) return false;
  }
  return i == n;
}

}  // namespace qdr2_Gomiat
