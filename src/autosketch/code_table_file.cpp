#include "autosketch/code_table_file.h"

#include "frame/atomic_file.h"
#include "frame/convert.h"
#include "frame/cp1252.h"
#include "frame/environment.h"

namespace qdr2_Gomiat {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The fields of one line (no line end inside).
CodeTableFields ParseLine(std::string_view line) {
  CodeTableFields fields;
  size_t pos = 0;
  for (size_t k = 0;; ++k) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    std::string_view text;
    if (pos < line.size() && line[pos] == '"') {
      const size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) {
        text = line.substr(pos + 1);
        pos = line.size();
      } else {
        text = line.substr(pos + 1, close - pos - 1);
        pos = line.find(',', close + 1);
        if (pos == std::string_view::npos) pos = line.size();
      }
    } else {
      size_t comma = line.find(',', pos);
      if (comma == std::string_view::npos) comma = line.size();
      text = Trim(line.substr(pos, comma - pos));
      pos = comma;
    }
    if (k < fields.size()) fields[k] = std::string(text);
    if (pos >= line.size()) break;
    ++pos;  // the comma
  }
  return fields;
}

bool NeedsQuotes(const std::string& text) {
  return !text.empty() &&
         (text.find(',') != std::string::npos || IsBlank(text.front()) ||
          IsBlank(text.back()) || text.front() == '"');
}

[[noreturn]] void Unwritable(const std::string& text, const char* why) {
  throw Failure(err::kInvalidCall, "No se puede guardar el texto \"" + text +
                                       "\" en autocroquis.txt: " + why);
}

struct LocalEntry {
  std::string code;
  std::string count;
  std::string type;
  std::string layer;
  int32_t colour = 0;
  std::string line;
};

[[noreturn]] void OverLimit() {
  throw Failure(err::kSubscript, RuntimeDescription(err::kSubscript) +
                                     " (autocroquis.txt admite " +
                                     std::to_string(kCodeTableMergeLimit) +
                                     " códigos)");
}

// The file's first field. A text starting with "ï»¿" has the UTF-8 byte
// order mark as its bytes: unquoted, the reader would drop it and read the
// whole file as UTF-8.
std::string FirstFieldBytes(const std::string& text) {
  std::string bytes = CodeTableFieldBytes(text);
  if (!bytes.starts_with(kUtf8Bom)) return bytes;
  if (text.find('"') != std::string::npos)
    Unwritable(text, "las comillas no caben en el primer campo del archivo");
  return "\"" + bytes + "\"";
}

}  // namespace

std::vector<CodeTableFields> ParseCodeTableFile(std::string_view bytes) {
  const std::string text =
      bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom
          ? Utf8OrCp1252ToUtf8(bytes.substr(kUtf8Bom.size()))
          : Cp1252ToUtf8(bytes);
  std::vector<CodeTableFields> out;
  const std::string_view all = text;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = all.substr(start, end - start);
    if (!Trim(line).empty()) out.push_back(ParseLine(line));
    start = end;
    if (start < all.size() && all[start] == '\r') ++start;
    if (start < all.size() && all[start] == '\n') ++start;
  }
  return out;
}

int32_t CodeTableNumber(const std::string& field) {
  if (Trim(field).empty()) return 0;
  return CLngText(field);
}

std::string CodeTableFieldBytes(const std::string& text) {
  if (text.find_first_of("\r\n") != std::string::npos)
    Unwritable(text, "un campo no puede tener saltos de línea");
  std::optional<std::string> bytes = Utf8ToCp1252(text);
  if (!bytes)
    Unwritable(text, "tiene caracteres que Windows-1252 no puede representar");
  if (!NeedsQuotes(text)) return *bytes;
  if (text.find('"') != std::string::npos)
    Unwritable(text,
               "las comillas no caben en un campo con comas o con espacios "
               "en los extremos");
  return "\"" + *bytes + "\"";
}

void LoadCodeTable(CodeTable& table) {
  Environment& env = Environment::Current();
  const std::string path = CodeTablePath();
  if (env.Files().Exists(path)) {
    table.count = 0;
    table.Resize(0);
    const std::vector<CodeTableFields> entries =
        ParseCodeTableFile(ReadFileBytes(path));
    for (const CodeTableFields& f : entries) {
      const int32_t k = table.count + 1;
      table.Resize(k);
      table.count = k;
      table.codes(k) = f[0];
      table.counts(k) = CodeTableNumber(f[1]);
      table.types(k) = f[2];
      table.layers(k) = f[3];
      table.colours(k) = CodeTableNumber(f[4]);
      table.lines(k) = f[5];
    }
    return;
  }

  table = DefaultCodeTable();
  std::string bytes;
  for (int32_t k = 1; k <= table.count; ++k) {
    bytes += CodeTableFieldBytes(table.codes(k)) + "," + Str(table.counts(k)) +
             "," + CodeTableFieldBytes(table.types(k)) + "," +
             CodeTableFieldBytes(table.layers(k)) + "," +
             Str(table.colours(k)) + "," + CodeTableFieldBytes(table.lines(k)) +
             "\r\n";
  }
  WriteFileAtomically(path, bytes);
}

void MergeCodeTable(int32_t n, const Array<std::string>& codes,
                    const Array<std::string>& counts,
                    const Array<std::string>& types,
                    const Array<std::string>& layers,
                    const Array<int32_t>& colours,
                    const Array<std::string>& lines) {
  Environment& env = Environment::Current();
  const std::string path = CodeTablePath();
  if (!env.Files().Exists(path)) return;

  const std::vector<CodeTableFields> read =
      ParseCodeTableFile(ReadFileBytes(path));
  if (read.size() > static_cast<size_t>(kCodeTableMergeLimit)) OverLimit();
  std::vector<LocalEntry> local;
  local.reserve(read.size());
  for (const CodeTableFields& f : read) {
    // The count stays the text it was; the colour must be a number.
    local.push_back({f[0], f[1], f[2], f[3], CodeTableNumber(f[4]), f[5]});
  }

  for (int32_t i = 1; i <= n; ++i) {
    const std::string& code = codes(i);
    LocalEntry given{code,      counts(i),  types(i),
                     layers(i), colours(i), lines(i)};
    bool found = false;
    for (LocalEntry& e : local) {
      if (e.code == code) {
        e = std::move(given);
        found = true;
        break;
      }
    }
    if (!found) {
      if (local.size() >= static_cast<size_t>(kCodeTableMergeLimit))
        OverLimit();
      local.push_back(std::move(given));
    }
  }

  std::string bytes;
  for (const LocalEntry& e : local) {
    const std::string code =
        bytes.empty() ? FirstFieldBytes(e.code) : CodeTableFieldBytes(e.code);
    bytes += code + "," + CodeTableFieldBytes(e.count) + "," +
             CodeTableFieldBytes(e.type) + "," + CodeTableFieldBytes(e.layer) +
             "," + Str(e.colour) + "," +
             CodeTableFieldBytes(Linea_Numero(e.line)) + "\r\n";
  }
  WriteFileAtomically(path, bytes);
}

}  // namespace qdr2_Gomiat
