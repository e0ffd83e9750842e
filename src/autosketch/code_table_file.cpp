#include "autosketch/code_table_file.h"

#include "frame/atomic_file.h"
#include "frame/convert.h"
#include "frame/cp1252.h"
#include "frame/environment.h"

namespace qdr2_Gomiat {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The fields of one line (no line end inside).
CodeTableFields ParseLine(std::string_view line) {
  CodeTableFields fields;
  size_t pos = 0;
  for (size_t k = 0;; ++k) {
    size_t comma = line.find(',', pos);
    if (comma == std::string_view::npos) comma = line.size();
    if (k < fields.size())
      fields[k] = std::string(Trim(line.substr(pos, comma - pos)));
    if (comma >= line.size()) break;
    pos = comma + 1;
  }
  return fields;
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

// A text as a report may quote it: short, on one line.
std::string Quoted(const std::string& text) {
  std::string out;
  for (const char c : text.substr(0, 40))
    out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
  if (text.size() > 40) out += "...";
  return "\"" + out + "\"";
}

// Why entry i of the given arrays cannot be saved, "" when it can.
std::string Unstorable(const std::string& code, const std::string& count,
                       const std::string& type, const std::string& layer,
                       const std::string& line) {
  for (const std::string* text : {&code, &count, &type, &layer, &line}) {
    std::string why = CodeTableUnstorable(*text);
    if (!why.empty()) return Quoted(*text) + " " + why;
  }
  return {};
}

// A text already checked, or kept from the file, in Windows-1252. Only a
// file read as UTF-8 can hold a text that has no Windows-1252 form.
std::string Cp1252Field(const std::string& text) {
  std::optional<std::string> bytes = Utf8ToCp1252(text);
  if (!bytes)
    throw Failure(err::kInvalidCall,
                  "No se puede guardar el texto " + Quoted(text) +
                      " en autocroquis.txt: tiene caracteres que Windows-1252 "
                      "no puede representar");
  return *std::move(bytes);
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

std::string CodeTableUnstorable(const std::string& text) {
  if (text.find(',') != std::string::npos)
    return "tiene una coma, que en el archivo separa los campos";
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      return "tiene caracteres de control";
  const std::optional<std::string> bytes = Utf8ToCp1252(text);
  if (!bytes) return "tiene caracteres que Windows-1252 no puede representar";
  if (bytes->size() > kCodeTableTextLimit)
    return "tiene más de " + std::to_string(kCodeTableTextLimit) +
           " caracteres";
  if (bytes->starts_with(kUtf8Bom))
    return "empieza como la marca de orden de bytes UTF-8";
  return {};
}

std::string CodeTableFieldBytes(const std::string& text) {
  const std::string why = CodeTableUnstorable(text);
  if (!why.empty())
    throw Failure(err::kInvalidCall, "No se puede guardar el texto " +
                                         Quoted(text) +
                                         " en autocroquis.txt: " + why);
  return *Utf8ToCp1252(text);
}

void LoadCodeTable(CodeTable& table) {
  Environment& env = Environment::Current();
  const std::string path = CodeTablePath();
  // Something odd under the name is refused before anything is made beside
  // it; under the lock, another program may have created the file meanwhile.
  RegularFileThere(path);
  const FileLock lock(path);
  if (RegularFileThere(path) && env.Files().Exists(path)) {
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
  // Read, merge and write as one step for every program of ours: without
  // it, two merging at once would lose the rows of one of them.
  if (!RegularFileThere(path)) return;
  const FileLock lock(path);
  if (!RegularFileThere(path) || !env.Files().Exists(path)) return;

  const std::string before = ReadFileBytes(path);
  const std::vector<CodeTableFields> read = ParseCodeTableFile(before);
  if (read.size() > static_cast<size_t>(kCodeTableMergeLimit)) OverLimit();
  std::vector<LocalEntry> local;
  local.reserve(read.size());
  for (const CodeTableFields& f : read) {
    // The count stays the text it was; the colour must be a number.
    local.push_back({f[0], f[1], f[2], f[3], CodeTableNumber(f[4]), f[5]});
  }

  std::vector<std::string> left_out;
  for (int32_t i = 1; i <= n; ++i) {
    LocalEntry given{codes(i),  counts(i),  types(i),
                     layers(i), colours(i), Linea_Numero(lines(i))};
    std::string why = Unstorable(given.code, given.count, given.type,
                                 given.layer, given.line);
    if (!why.empty()) {
      left_out.push_back(std::move(why));
      continue;
    }
    bool found = false;
    for (LocalEntry& e : local) {
      if (e.code == given.code) {
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
    bytes += Cp1252Field(e.code) + "," + Cp1252Field(e.count) + "," +
             Cp1252Field(e.type) + "," + Cp1252Field(e.layer) + "," +
             Str(e.colour) + "," + Cp1252Field(Linea_Numero(e.line)) + "\r\n";
  }
  // Only a file that began with a blank line can bring such a code first;
  // written first it would read as a byte order mark.
  if (bytes.starts_with(kUtf8Bom))
    throw Failure(err::kInvalidCall,
                  "No se puede guardar autocroquis.txt: su primer código " +
                      Quoted(local.front().code) +
                      " empieza como la marca de orden de bytes UTF-8");
  if (bytes != before) WriteFileAtomically(path, bytes);

  if (!left_out.empty()) {
    std::string list;
    for (size_t k = 0; k < left_out.size() && k < 10; ++k)
      list += (k == 0 ? "" : "; ") + left_out[k];
    if (left_out.size() > 10)
      list += "; y " + std::to_string(left_out.size() - 10) + " más";
    throw Failure(err::kInvalidCall,
                  "No se han guardado en autocroquis.txt " +
                      std::to_string(left_out.size()) +
                      (left_out.size() == 1 ? " código: " : " códigos: ") +
                      list);
  }
}

}  // namespace qdr2_Gomiat
