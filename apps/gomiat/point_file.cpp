#include "point_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame/cp1252.h"
#include "frame/utf8.h"
#include "line_fields.h"

namespace gomiat {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Lines looked at to tell the delimiter.
constexpr size_t kDetectionLines = 50;
constexpr size_t kProgressLines = 8192;

// Lines of a text without their ends ("\r\n", "\n" or a lone "\r").
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

char DelimiterChar(Delimiter d) {
  switch (d) {
    case Delimiter::kComma:
      return ',';
    case Delimiter::kSemicolon:
      return ';';
    case Delimiter::kTab:
      return '\t';
    default:
      return 0;
  }
}

std::string ColumnName(Column c) {
  switch (c) {
    case Column::kName:
      return "name";
    case Column::kNorthing:
      return "northing";
    case Column::kEasting:
      return "easting";
    case Column::kElevation:
      return "elevation";
    case Column::kCode:
      return "code";
  }
  return "column";
}

// Reads the lines of one layout with one delimiter.
class LineReader {
 public:
  LineReader(const ColumnLayout& layout, Delimiter delimiter)
      : layout_(layout), delimiter_(DelimiterChar(delimiter)) {
    const auto& o = layout_.order;
    code_last_ = !o.empty() && o.back() == Column::kCode;
    leading_ = code_last_ ? o.size() - 1 : o.size();
  }

  // Empty when the line is a point; otherwise why it is not.
  std::string Read(std::string_view line, SurveyPoint& p) const {
    SplitLine split = SplitFields(line, delimiter_, leading_);
    if (!split.error.empty()) return split.error;
    if (split.fields.size() < leading_) {
      std::ostringstream why;
      why << "expected " << leading_ << " fields before the code ("
          << Describe() << "), found " << split.fields.size();
      return why.str();
    }
    for (size_t i = 0; i < leading_; ++i) {
      const std::string& f = split.fields[i];
      switch (layout_.order[i]) {
        case Column::kName:
          p.name = f;
          break;
        case Column::kCode:
          p.code = std::string(TrimBlanks(f));
          break;
        default: {
          double v = 0;
          const NumberStatus s = ParseCoordinate(f, delimiter_ != ',', v);
          if (s != NumberStatus::kOk)
            return ColumnName(layout_.order[i]) + " " + Quoted(f) +
                   (s == NumberStatus::kEmpty       ? " is empty"
                    : s == NumberStatus::kNotFinite ? " is not a finite number"
                                                    : " is not a number");
          Assign(layout_.order[i], v, p);
        }
      }
    }
    if (code_last_) p.code = CodeField(split.rest, delimiter_);
    return {};
  }

  // True when at least one coordinate column reads as a number.
  bool AnyCoordinate(std::string_view line) const {
    SplitLine split = SplitFields(line, delimiter_, leading_);
    for (size_t i = 0; i < split.fields.size(); ++i) {
      const Column c = layout_.order[i];
      if (c == Column::kName || c == Column::kCode) continue;
      double v = 0;
      if (ParseCoordinate(split.fields[i], delimiter_ != ',', v) ==
          NumberStatus::kOk)
        return true;
    }
    return false;
  }

 private:
  static std::string Quoted(const std::string& f) {
    size_t cut = f.size();
    if (cut > 40) {  // keep whole UTF-8 characters
      cut = 40;
      while (cut > 0 && (static_cast<unsigned char>(f[cut]) & 0xC0) == 0x80)
        --cut;
    }
    return "\"" + f.substr(0, cut) + (cut < f.size() ? "...\"" : "\"");
  }
  static void Assign(Column c, double v, SurveyPoint& p) {
    if (c == Column::kEasting) p.x = v;
    if (c == Column::kNorthing) p.y = v;
    if (c == Column::kElevation) p.z = v;
  }
  std::string Describe() const {
    std::string s;
    for (size_t i = 0; i < leading_; ++i)
      s += (i ? ", " : "") + ColumnName(layout_.order[i]);
    return s;
  }

  const ColumnLayout& layout_;
  char delimiter_;
  bool code_last_ = false;
  size_t leading_ = 0;
};

Delimiter DetectDelimiter(const std::vector<std::string_view>& lines,
                          const ColumnLayout& layout) {
  static constexpr std::array<Delimiter, 4> kCandidates = {
      Delimiter::kTab, Delimiter::kSemicolon, Delimiter::kComma,
      Delimiter::kBlanks};
  std::array<size_t, 4> score{};
  size_t looked = 0;
  for (std::string_view line : lines) {
    if (TrimBlanks(line).empty()) continue;
    if (++looked > kDetectionLines) break;
    for (size_t k = 0; k < kCandidates.size(); ++k) {
      SurveyPoint p;
      if (LineReader(layout, kCandidates[k]).Read(line, p).empty()) ++score[k];
    }
  }
  const auto best = std::max_element(score.begin(), score.end());
  if (*best > 0) return kCandidates[static_cast<size_t>(best - score.begin())];
  // Nothing reads: go by the characters, so the messages name a line.
  for (std::string_view line : lines) {
    if (line.find('\t') != std::string_view::npos) return Delimiter::kTab;
    if (line.find(';') != std::string_view::npos) return Delimiter::kSemicolon;
    if (line.find(',') != std::string_view::npos) return Delimiter::kComma;
  }
  return Delimiter::kBlanks;
}

// The text as UTF-8, and the encoding it was read in.
std::string Decode(std::string_view bytes, Encoding wanted,
                   const std::string& file, Encoding& used) {
  const bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (wanted == Encoding::kWindows1252) {
    used = Encoding::kWindows1252;
    return qdr2_Gomiat::Cp1252ToUtf8(bytes);
  }
  if (bom) bytes.remove_prefix(kBom.size());
  if (qdr2_Gomiat::IsValidUtf8(bytes)) {
    used = Encoding::kUtf8;
    return std::string(bytes);
  }
  if (wanted == Encoding::kUtf8 || bom) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i)
      if (!qdr2_Gomiat::IsValidUtf8(lines[i]))
        throw InputError(file, i + 1,
                         "not valid UTF-8 (try --encoding windows-1252)");
    throw InputError(file, 0, "not valid UTF-8");
  }
  used = Encoding::kWindows1252;
  return qdr2_Gomiat::Cp1252ToUtf8(bytes);
}

}  // namespace

InputError::InputError(const std::string& file, size_t line,
                       const std::string& reason)
    : std::runtime_error(file + ":" +
                         (line ? std::to_string(line) + ":" : std::string()) +
                         " " + reason),
      file_(file),
      line_(line) {}

ColumnLayout ParseColumnLayout(std::string_view text) {
  ColumnLayout layout;
  layout.order.clear();
  std::string_view rest = text;
  while (true) {
    const size_t comma = rest.find(',');
    std::string token(TrimBlanks(rest.substr(0, comma)));
    for (char& c : token)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Column c;
    if (token == "P") {
      c = Column::kName;
    } else if (token == "N" || token == "Y") {
      c = Column::kNorthing;
    } else if (token == "E" || token == "X") {
      c = Column::kEasting;
    } else if (token == "Z" || token == "H") {
      c = Column::kElevation;
    } else if (token == "D" || token == "C") {
      c = Column::kCode;
    } else {
      throw std::invalid_argument("unknown column \"" + token +
                                  "\" (use P, N, E, Z and D)");
    }
    if (std::find(layout.order.begin(), layout.order.end(), c) !=
        layout.order.end())
      throw std::invalid_argument("column \"" + token + "\" given twice");
    layout.order.push_back(c);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  const auto has = [&](Column c) {
    return std::find(layout.order.begin(), layout.order.end(), c) !=
           layout.order.end();
  };
  if (!has(Column::kEasting) || !has(Column::kNorthing))
    throw std::invalid_argument("the columns must include E and N");
  return layout;
}

std::string DelimiterName(Delimiter d) {
  switch (d) {
    case Delimiter::kComma:
      return "comma";
    case Delimiter::kSemicolon:
      return "semicolon";
    case Delimiter::kTab:
      return "tab";
    case Delimiter::kBlanks:
      return "space";
    case Delimiter::kAuto:
      break;
  }
  return "auto";
}

std::string EncodingName(Encoding e) {
  switch (e) {
    case Encoding::kUtf8:
      return "UTF-8";
    case Encoding::kWindows1252:
      return "Windows-1252";
    case Encoding::kAuto:
      break;
  }
  return "auto";
}

PointFile ParsePointFile(std::string_view bytes, const std::string& file,
                         const ReadOptions& options,
                         const LineProgress& progress) {
  PointFile out;
  const std::string text = Decode(bytes, options.encoding, file, out.encoding);
  const std::vector<std::string_view> lines = SplitLines(text);
  out.delimiter = options.delimiter == Delimiter::kAuto
                      ? DetectDelimiter(lines, options.columns)
                      : options.delimiter;
  const LineReader reader(options.columns, out.delimiter);
  const bool has_name =
      std::find(options.columns.order.begin(), options.columns.order.end(),
                Column::kName) != options.columns.order.end();
  bool first = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (progress && i % kProgressLines == 0) progress(i, lines.size());
    if (TrimBlanks(lines[i]).empty()) continue;
    SurveyPoint p;
    const std::string why = reader.Read(lines[i], p);
    if (!why.empty()) {
      if (first && !reader.AnyCoordinate(lines[i])) {
        out.header_skipped = true;
        first = false;
        continue;
      }
      throw InputError(file, i + 1, why);
    }
    first = false;
    p.line = i + 1;
    if (!has_name) p.name = std::to_string(out.points.size() + 1);
    out.points.push_back(std::move(p));
  }
  if (out.points.empty()) throw InputError(file, 0, "no points in the file");
  return out;
}

PointFile ReadPointFile(const std::string& path, const ReadOptions& options,
                        const LineProgress& progress) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    throw InputError(path, 0, "is a folder, not a point file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError(path, 0, std::strerror(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw InputError(path, 0, "read error");
  return ParsePointFile(bytes.view(), path, options, progress);
}

}  // namespace gomiat
