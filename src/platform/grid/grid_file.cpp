// Grid contents file. UTF-8 text, one record per line, lines end in LF (a CR
// before the LF is tolerated when reading):
//
//   QDR2-TABLA<TAB>1<TAB>crq            signature, format version, and the
//                                       extension of the window's filter
//   columnas<TAB>7<TAB>4 4 1 5 4 6c 5   column count, then each column's
//                                       kind; "c" marks a column whose cells
//                                       carry colours (always so for kind 6)
//   filas<TAB>2                         number of data rows that follow
//   <row 1>                             one line per data row: one field
//   <row 2>                             per column, fields split by TAB
//   fin                                 end mark; without it the file is
//                                       truncated
//
// A field is the cell's text, escaped; in a colour column it is the colour
// (0x00BBGGRR as a signed 32-bit decimal), ";", then the escaped text.
// Escapes: "\\" backslash, "\t" tab, "\n" line feed, "\r" carriage return,
// "\xHH" any other control byte or a byte outside valid UTF-8; every other
// byte stands for itself, so a line is always valid UTF-8 and never holds a
// raw tab inside a field. The header row is not saved: the captions belong
// to the window that defines the columns.
//
// A file loads only into a grid with the same filter extension, the same
// column count and the same kinds. Anything else is refused with a clear
// failure before the grid is touched.
#include "platform/grid/grid_file.h"

#include <charconv>
#include <cstdint>

#include "frame/utf8.h"
#include "platform/grid/cell_escape.h"
#include "platform/grid/grid_file_io.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kSignature = "QDR2-TABLA";
constexpr int kVersion = 1;

std::string LayoutLine(const GridFileLayout& layout,
                       const GridContents& contents) {
  std::string line = "columnas\t" + std::to_string(layout.kinds.size()) + "\t";
  for (size_t c = 0; c < layout.kinds.size(); ++c) {
    if (c > 0) line += ' ';
    line += std::to_string(layout.kinds[c]);
    const bool colours = layout.kinds[c] == 6 || (c < contents.colours.size() &&
                                                  !contents.colours[c].empty());
    if (colours) line += 'c';
  }
  return line;
}

[[noreturn]] void Bad(const std::string& path, int64_t line,
                      const std::string& why) {
  throw Failure(kBadGridFile, "Archivo de tabla dañado (" + path + ", línea " +
                                  std::to_string(line) + "): " + why);
}

[[noreturn]] void Foreign(const std::string& path) {
  throw Failure(kBadGridFile,
                "El archivo " + path + " no es un archivo de tabla");
}

[[noreturn]] void Truncated(const std::string& path) {
  throw Failure(kBadGridFile,
                "El archivo de tabla " + path + " está incompleto");
}

template <class I>
bool ParseWhole(std::string_view t, I& v) {
  if (t.empty()) return false;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

// Splits at every tab.
void SplitTabs(std::string_view line, std::vector<std::string_view>& parts) {
  parts.clear();
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      parts.push_back(line.substr(start));
      return;
    }
    parts.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

struct FileColumns {
  std::vector<int16_t> kinds;
  std::vector<bool> colours;
};

FileColumns ParseLayoutLine(const std::string& path, std::string_view line) {
  std::vector<std::string_view> parts;
  SplitTabs(line, parts);
  size_t count = 0;
  if (parts.size() != 3 || parts[0] != "columnas" ||
      !ParseWhole(parts[1], count) || count > 32767)
    Bad(path, 2, "se esperaba la línea de columnas");
  FileColumns cols;
  std::string_view list = parts[2];
  while (!list.empty() || cols.kinds.size() < count) {
    const size_t blank = list.find(' ');
    std::string_view token = list.substr(0, blank);
    list = blank == std::string_view::npos ? std::string_view()
                                           : list.substr(blank + 1);
    const bool colours = !token.empty() && token.back() == 'c';
    if (colours) token.remove_suffix(1);
    int16_t kind = 0;
    if (!ParseWhole(token, kind) || cols.kinds.size() >= count)
      Bad(path, 2, "lista de tipos de columna no válida");
    if (kind == 6 && !colours) Bad(path, 2, "una columna de color sin colores");
    cols.kinds.push_back(kind);
    cols.colours.push_back(colours);
  }
  return cols;
}

void CheckHeader(const std::string& path, LineReader& in,
                 const GridFileLayout& layout, FileColumns& cols,
                 int32_t& data_rows) {
  std::string line;
  std::vector<std::string_view> parts;
  if (!in.Next(line)) Foreign(path);
  SplitTabs(line, parts);
  if (parts.size() != 3 || parts[0] != kSignature) Foreign(path);
  int version = 0;
  if (!ParseWhole(parts[1], version)) Bad(path, 1, "versión no válida");
  if (version != kVersion)
    throw Failure(kBadGridFile, "Versión de archivo de tabla no admitida (" +
                                    path + "): " + std::string(parts[1]));
  std::string own;
  AppendEscaped(FilterExtension(layout.filter), own);
  if (parts[2] != own)
    throw Failure(kBadGridFile, "El archivo " + path + " es de otra tabla (*." +
                                    std::string(parts[2]) +
                                    "); se esperaba *." + own);
  if (!in.Next(line)) Truncated(path);
  cols = ParseLayoutLine(path, line);
  if (cols.kinds != layout.kinds)
    throw Failure(kBadGridFile, "El archivo " + path +
                                    " tiene otras columnas que esta tabla");
  if (!in.Next(line)) Truncated(path);
  SplitTabs(line, parts);
  if (parts.size() != 2 || parts[0] != "filas" ||
      !ParseWhole(parts[1], data_rows) || data_rows < 0 ||
      data_rows == INT32_MAX)
    Bad(path, 3, "se esperaba la línea de filas");
}

void ParseRow(const std::string& path, int64_t line_no, std::string_view line,
              const FileColumns& cols, GridContents& out,
              std::vector<std::string_view>& fields, std::string& text) {
  if (!IsValidUtf8(line)) Bad(path, line_no, "bytes que no son UTF-8");
  const size_t count = cols.kinds.size();
  if (count == 0) {
    if (!line.empty()) Bad(path, line_no, "celdas de más");
    return;
  }
  SplitTabs(line, fields);
  if (fields.size() != count)
    Bad(path, line_no,
        std::to_string(fields.size()) + " celdas en vez de " +
            std::to_string(count));
  for (size_t c = 0; c < count; ++c) {
    std::string_view field = fields[c];
    if (cols.colours[c]) {
      const size_t semi = field.find(';');
      int32_t colour = 0;
      if (semi == std::string_view::npos ||
          !ParseWhole(field.substr(0, semi), colour))
        Bad(path, line_no,
            "color no válido en la columna " + std::to_string(c));
      out.colours[c].push_back(colour);
      field.remove_prefix(semi + 1);
    }
    if (!Unescape(field, text))
      Bad(path, line_no,
          "secuencia de escape no válida en la columna " + std::to_string(c));
    out.texts[c].Append(text);
  }
}

}  // namespace

std::string FilterExtension(const std::string& filter) {
  std::string_view f = filter;
  while (!f.empty() && (f.front() == '*' || f.front() == '.'))
    f.remove_prefix(1);
  return std::string(f);
}

void SaveGridFile(const std::string& path, const GridFileLayout& layout,
                  const GridContents& contents) {
  AtomicFileWriter out = GridFileWriter(path);
  const auto put = [&out](std::string_view line) {
    out.Write(line);
    out.Write("\n");
  };
  std::string line =
      std::string(kSignature) + "\t" + std::to_string(kVersion) + "\t";
  AppendEscaped(FilterExtension(layout.filter), line);
  put(line);
  put(LayoutLine(layout, contents));
  put("filas\t" + std::to_string(contents.rows - 1));
  const size_t cols = layout.kinds.size();
  for (int32_t r = 1; r < contents.rows; ++r) {
    line.clear();
    for (size_t c = 0; c < cols; ++c) {
      if (c > 0) line += '\t';
      const auto& colours = contents.colours[c];
      if (layout.kinds[c] == 6 || !colours.empty()) {
        line += std::to_string(colours.empty() ? 0 : colours[r]);
        line += ';';
      }
      AppendEscaped(contents.texts[c].Get(static_cast<size_t>(r - 1)), line);
    }
    put(line);
  }
  put("fin");
  out.Commit();
}

GridContents LoadGridFile(const std::string& path, const GridFileLayout& layout,
                          size_t max_line) {
  LineReader in(path, max_line == 0 ? LineReader::kMaxLine : max_line);
  FileColumns cols;
  int32_t data_rows = 0;
  CheckHeader(path, in, layout, cols, data_rows);

  GridContents out;
  const size_t count = cols.kinds.size();
  out.texts.resize(count);
  out.colours.resize(count);
  for (size_t c = 0; c < count; ++c)
    if (cols.colours[c]) out.colours[c].push_back(0);  // header row

  std::string line, text;
  std::vector<std::string_view> fields;
  for (int32_t r = 1; r <= data_rows; ++r) {
    if (!in.Next(line)) Truncated(path);
    if (line == "fin" && cols.kinds.size() != 1)
      Bad(path, in.LineNumber(),
          "anuncia " + std::to_string(data_rows) + " filas y trae " +
              std::to_string(r - 1));
    ParseRow(path, in.LineNumber(), line, cols, out, fields, text);
    ++out.rows;
  }
  if (!in.Next(line)) Truncated(path);
  if (line != "fin")
    Bad(path, in.LineNumber(), "sobran filas o falta el final");
  if (in.Next(line)) Bad(path, in.LineNumber(), "texto después del final");
  return out;
}

}  // namespace qdr2_Gomiat
