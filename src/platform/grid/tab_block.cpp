#include "platform/grid/tab_block.h"

namespace qdr2_Gomiat {

void AppendTabCell(std::string& out, std::string_view cell) {
  const bool quote = cell.find_first_of("\t\r\n") != std::string_view::npos ||
                     (!cell.empty() && cell.front() == '"');
  if (!quote) {
    out.append(cell);
    return;
  }
  out += '"';
  for (const char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

namespace {

bool EndsCell(std::string_view t, size_t i) {
  return i == t.size() || t[i] == '\t' || t[i] == '\n' ||
         (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n');
}

// A quoted cell starting at t[i] == '"': its text and the index after the
// closing quote, or false when the quote does not close a cell.
bool ReadQuoted(std::string_view t, size_t i, std::string& cell, size_t& end) {
  cell.clear();
  for (size_t k = i + 1; k < t.size(); ++k) {
    if (t[k] != '"') {
      cell += t[k];
      continue;
    }
    if (k + 1 < t.size() && t[k + 1] == '"') {
      cell += '"';
      ++k;
      continue;
    }
    if (!EndsCell(t, k + 1)) return false;
    end = k + 1;
    return true;
  }
  return false;
}

}  // namespace

std::vector<std::vector<std::string>> ReadTabBlock(std::string_view t) {
  std::vector<std::vector<std::string>> rows;
  if (t.empty()) return rows;
  rows.emplace_back();
  size_t i = 0;
  while (true) {
    std::string cell;
    size_t end = i;
    if (i < t.size() && t[i] == '"' && ReadQuoted(t, i, cell, end)) {
      i = end;
    } else {
      while (!EndsCell(t, i)) ++i;
      cell.assign(t.substr(end, i - end));
    }
    rows.back().push_back(std::move(cell));
    if (i == t.size()) break;
    if (t[i] == '\t') {
      ++i;
      continue;
    }
    i += t[i] == '\r' ? 2 : 1;  // the line end
    if (i == t.size()) break;
    rows.emplace_back();
  }
  return rows;
}

}  // namespace qdr2_Gomiat
