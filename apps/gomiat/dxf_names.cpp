#include "dxf_names.h"

#include <cstdio>
#include <set>
#include <unordered_map>

#include "frame/cp1252.h"

namespace gomiat {

namespace {

constexpr std::string_view kForbidden = "<>/\\\":;?*|=`,";
constexpr size_t kMaxNameChars = 255;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Names compare without regard to case in DXF; fold ASCII and the Latin-1
// capitals (two-byte UTF-8, C3 80..C3 9E) so "Árbol" meets "ÁRBOL".
std::string Fold(std::string_view name) {
  std::string f(name);
  for (size_t i = 0; i < f.size(); ++i) {
    auto b = static_cast<unsigned char>(f[i]);
    if (b >= 'A' && b <= 'Z') {
      f[i] = static_cast<char>(b + 32);
    } else if (b == 0xC3 && i + 1 < f.size()) {
      auto n = static_cast<unsigned char>(f[i + 1]);
      if (n >= 0x80 && n <= 0x9E && n != 0x97)
        f[i + 1] = static_cast<char>(n + 32);
      ++i;
    }
  }
  return f;
}

// Next UTF-8 character at `pos` (its bytes); an invalid byte stands alone.
std::string_view NextChar(std::string_view s, size_t pos) {
  size_t len = 1;
  while (pos + len < s.size() &&
         IsContinuation(static_cast<unsigned char>(s[pos + len])) && len < 4)
    ++len;
  return s.substr(pos, len);
}

char32_t CodePoint(std::string_view ch) {
  const auto b0 = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1) return b0 < 0x80 ? b0 : 0xFFFD;
  char32_t c = b0 & (0x7F >> ch.size());
  for (size_t i = 1; i < ch.size(); ++i)
    c = (c << 6) | (static_cast<unsigned char>(ch[i]) & 0x3F);
  return c;
}

}  // namespace

std::string SafeLayerName(std::string_view name) {
  std::string out;
  size_t chars = 0;
  for (size_t pos = 0; pos < name.size() && chars < kMaxNameChars; ++chars) {
    const std::string_view ch = NextChar(name, pos);
    pos += ch.size();
    const auto b = static_cast<unsigned char>(ch[0]);
    const bool bad =
        ch.size() == 1 && (b < 0x21 || b == 0x7F ||
                           kForbidden.find(ch[0]) != std::string_view::npos);
    if (bad) {
      out += '_';
    } else {
      out += ch;
    }
  }
  if (out.empty()) out = "_";
  return out;
}

DxfLayers ResolveDxfLayers(const std::vector<SketchLayer>& layers) {
  DxfLayers out;
  std::unordered_map<std::string, size_t> by_name;  // original name
  std::set<std::string> used;                       // folded safe names
  for (const SketchLayer& l : layers) {
    if (auto it = by_name.find(l.name); it != by_name.end()) {
      out.of_layer.push_back(it->second);
      continue;
    }
    const std::string base = SafeLayerName(l.name);
    std::string name = base;
    for (int n = 2; used.count(Fold(name)) != 0; ++n)
      name = base + "_" + std::to_string(n);
    used.insert(Fold(name));
    const int16_t colour =
        l.colour_number >= 1 && l.colour_number <= 255 ? l.colour_number : 7;
    out.table.push_back({name, colour, &LineTypeOf(l.line_type)});
    by_name.emplace(l.name, out.table.size() - 1);
    out.of_layer.push_back(out.table.size() - 1);
  }
  if (used.count("0") == 0) out.table.push_back({"0", 7, &LineTypeOf(0)});
  return out;
}

std::string DxfText(std::string_view utf8) {
  bool plain = true;  // the usual name: nothing to convert
  for (char c : utf8) plain = plain && c >= 0x20 && c < 0x7F;
  if (plain) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const std::string_view ch = NextChar(utf8, pos);
    pos += ch.size();
    const auto b = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1 && b < 0x20) {
      out += ' ';  // a group value is one line
      continue;
    }
    if (auto bytes = qdr2_Gomiat::Utf8ToCp1252(ch)) {
      out += *bytes;
      continue;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "\\U+%04X",
                  static_cast<unsigned>(CodePoint(ch)));
    out += buf;
  }
  return out;
}

}  // namespace gomiat
