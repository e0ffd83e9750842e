#include "point_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>
#include <sstream>

#include "frame/cp1252.h"
#include "frame/utf8.h"
#include "line_fields.h"
#include "text_encodings.h"

namespace gomiat {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Lines looked at to tell the delimiter.
constexpr size_t kDetectionLines = 50;

constexpr size_t kProgressBytes = size_t{1} << 20;

// The next line of a text from `pos` without its end ("\r\n", "\n" or a
// lone "\r"); false at the end of the text.
bool NextLine(std::string_view text, size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  const size_t start = pos;
  size_t i = start;
  while (i < text.size() && text[i] != '\n' && text[i] != '\r') ++i;
  line = text.substr(start, i - start);
  if (i < text.size() && text[i] == '\r' && i + 1 < text.size() &&
      text[i + 1] == '\n')
    ++i;
  pos = i + 1;
  return true;
}

bool IsComment(std::string_view line, const std::string& comment) {
  const std::string_view t = TrimBlanks(line);
  return !t.empty() && !comment.empty() &&
         comment.find(t.front()) != std::string::npos;
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
    case Column::kSkip:
    case Column::kExtra:
      break;
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
    SplitLine& split = split_;
    SplitFields(line, delimiter_, leading_, split);
    if (split.error != nullptr) return split.error;
    if (split.fields.size() < leading_) {
      std::ostringstream why;
      why << "expected " << leading_ << " fields before the code ("
          << Describe() << "), found " << split.fields.size();
      return why.str();
    }
    p.extras.clear();
    for (size_t i = 0; i < leading_; ++i) {
      const std::string_view f = split.fields[i];
      switch (layout_.order[i]) {
        case Column::kName:
          p.name.assign(f);
          break;
        case Column::kCode:
          p.code.assign(TrimBlanks(f));
          break;
        case Column::kSkip:
          break;
        case Column::kExtra:
          p.extras.emplace_back(f);
          break;
        default: {
          double v = 0;
          const NumberStatus s = ParseCoordinate(f, delimiter_ != ',', v);
          if (s != NumberStatus::kOk)
            return ColumnName(layout_.order[i]) + " " + Shown(f) +
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
    SplitFields(line, delimiter_, leading_, split_);
    for (size_t i = 0; i < split_.fields.size(); ++i) {
      const Column c = layout_.order[i];
      if (c != Column::kEasting && c != Column::kNorthing &&
          c != Column::kElevation)
        continue;
      double v = 0;
      if (ParseCoordinate(split_.fields[i], delimiter_ != ',', v) ==
          NumberStatus::kOk)
        return true;
    }
    return false;
  }

 private:
  static void Assign(Column c, double v, SurveyPoint& p) {
    if (c == Column::kEasting) p.x = v;
    if (c == Column::kNorthing) p.y = v;
    if (c == Column::kElevation) p.z = v;
  }
  std::string Describe() const {
    std::string s;
    size_t extra = 0;
    for (size_t i = 0; i < leading_; ++i) {
      const Column c = layout_.order[i];
      s += i ? ", " : "";
      if (c == Column::kSkip)
        s += "-";
      else if (c == Column::kExtra && extra < layout_.extra_names.size())
        s += layout_.extra_names[extra++];
      else
        s += ColumnName(c);
    }
    return s;
  }

  const ColumnLayout& layout_;
  char delimiter_;
  bool code_last_ = false;
  size_t leading_ = 0;
  mutable SplitLine split_;  // reused line after line
};

Delimiter DetectDelimiter(std::string_view text, const ReadOptions& options) {
  const ColumnLayout& layout = options.columns;
  std::vector<std::string_view> lines;
  {
    std::string_view line;
    for (size_t pos = 0;
         lines.size() < kDetectionLines && NextLine(text, pos, line);)
      if (!TrimBlanks(line).empty() && !IsComment(line, options.comment))
        lines.push_back(line);
  }
  static constexpr std::array<Delimiter, 4> kCandidates = {
      Delimiter::kTab, Delimiter::kSemicolon, Delimiter::kComma,
      Delimiter::kBlanks};
  std::array<size_t, 4> score{};
  for (std::string_view line : lines) {
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

// Most files are plain ASCII: told quickly, eight bytes at a time.
bool IsAscii(std::string_view bytes) {
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ull) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

// Whether the bytes look like UTF-16 without a byte order mark: NUL
// bytes, which text files do not hold, in the first kilobytes. Sets the
// byte order from where they fall.
bool LooksUtf16(std::string_view bytes, bool& little_endian) {
  size_t even = 0, odd = 0;
  const size_t n = std::min<size_t>(bytes.size(), 4096);
  for (size_t i = 0; i < n; ++i)
    if (bytes[i] == '\0') ++(i % 2 ? odd : even);
  little_endian = odd >= even;
  return even + odd > 0;
}

// The text as UTF-8 (a view of `bytes` when they are UTF-8 already, else of
// `storage`), and the encoding it was read in.
std::string_view Decode(std::string_view bytes, Encoding wanted,
                        const std::string& file, Encoding& used,
                        std::string& storage) {
  bool little = true;
  const bool utf16 = bytes.substr(0, 2) == "\xFF\xFE" ||
                     bytes.substr(0, 2) == "\xFE\xFF" ||
                     (wanted == Encoding::kAuto && LooksUtf16(bytes, little));
  if ((wanted == Encoding::kAuto || wanted == Encoding::kUtf16) && utf16) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
      little = bytes[0] == '\xFF';
      bytes.remove_prefix(2);
    }
    used = Encoding::kUtf16;
    storage = Utf16ToUtf8(bytes, little);
    return storage;
  }
  used = wanted;
  switch (wanted) {
    case Encoding::kWindows1252:
      return storage = qdr2_Gomiat::Cp1252ToUtf8(bytes);
    case Encoding::kWindows1250:
      return storage = Windows1250ToUtf8(bytes);
    case Encoding::kWindows1251:
      return storage = Windows1251ToUtf8(bytes);
    case Encoding::kUtf16:
      throw InputError(file, 0,
                       "not UTF-16 (no byte order mark and no NUL bytes)");
    default:
      break;
  }
  const bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (bom) bytes.remove_prefix(kBom.size());
  if (IsAscii(bytes) || qdr2_Gomiat::IsValidUtf8(bytes)) {
    used = Encoding::kUtf8;
    return bytes;
  }
  if (wanted == Encoding::kUtf8 || bom) {
    std::string_view line;
    size_t number = 0;
    for (size_t pos = 0; NextLine(bytes, pos, line);) {
      ++number;
      if (!qdr2_Gomiat::IsValidUtf8(line))
        throw InputError(file, number,
                         "not valid UTF-8 (try --encoding windows-1252)");
    }
    throw InputError(file, 0, "not valid UTF-8");
  }
  used = Encoding::kWindows1252;
  return storage = qdr2_Gomiat::Cp1252ToUtf8(bytes);
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
    if (token.size() > 1 && token[0] == '+') {
      const std::string name = token.substr(1);
      if (name == "name" || name == "code" || name == "layer")
        throw std::invalid_argument("column \"" + token +
                                    "\": the points have a " + name +
                                    " already; call it otherwise");
      if (std::find(layout.extra_names.begin(), layout.extra_names.end(),
                    name) != layout.extra_names.end())
        throw std::invalid_argument("column \"" + token + "\" given twice");
      layout.order.push_back(Column::kExtra);
      layout.extra_names.push_back(name);
    } else if (token == "-") {
      layout.order.push_back(Column::kSkip);
    } else {
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
        throw std::invalid_argument(
            "unknown column " + Shown(token) +
            " (use P, N, E, Z, D, - to skip, +NAME to keep)");
      }
      if (std::find(layout.order.begin(), layout.order.end(), c) !=
          layout.order.end())
        throw std::invalid_argument("column \"" + token + "\" given twice");
      layout.order.push_back(c);
    }
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
    case Encoding::kWindows1250:
      return "Windows-1250";
    case Encoding::kWindows1251:
      return "Windows-1251";
    case Encoding::kUtf16:
      return "UTF-16";
    case Encoding::kAuto:
      break;
  }
  return "auto";
}

namespace {

// The points of some whole lines of a file; line numbers count from the
// first of them.
struct LinesRead {
  std::vector<SurveyPoint> points;
  size_t lines = 0;
  size_t error_line = 0;  // 0: none
  std::string error;
  bool header_skipped = false;
};

void ReadLines(std::string_view text, const ReadOptions& options,
               Delimiter delimiter, bool may_have_header, size_t reserve,
               const LineProgress* progress, LinesRead& out) {
  const LineReader reader(options.columns, delimiter);
  out.points.reserve(reserve);
  bool first = may_have_header;
  size_t next_progress = 0;
  std::string_view line;
  SurveyPoint p;
  for (size_t pos = 0; NextLine(text, pos, line);) {
    ++out.lines;
    if (progress && *progress && pos >= next_progress) {
      (*progress)(pos, text.size());
      next_progress = pos + kProgressBytes;
    }
    if (TrimBlanks(line).empty() || IsComment(line, options.comment)) continue;
    std::string why = reader.Read(line, p);
    if (!why.empty()) {
      if (first && !reader.AnyCoordinate(line)) {
        out.header_skipped = true;
        first = false;
        continue;
      }
      out.error_line = out.lines;
      out.error = std::move(why);
      return;
    }
    first = false;
    p.line = out.lines;
    out.points.push_back(std::move(p));
    p = SurveyPoint();
  }
}

// Below this, one thread reads the whole file.
constexpr size_t kSplitBytes = size_t{1} << 20;

}  // namespace

PointFile ParsePointFile(std::string_view bytes, const std::string& file,
                         const ReadOptions& options,
                         const LineProgress& progress) {
  PointFile out;
  out.extra_names = options.columns.extra_names;
  std::string storage;
  const std::string_view text =
      Decode(bytes, options.encoding, file, out.encoding, storage);
  out.delimiter = options.delimiter == Delimiter::kAuto
                      ? DetectDelimiter(text, options)
                      : options.delimiter;
  // A large file is read in two halves at once, cut after a line feed.
  size_t cut = text.size();
  if (text.size() >= kSplitBytes) {
    const size_t lf = text.find('\n', text.size() / 2);
    if (lf != std::string_view::npos) cut = lf + 1;
  }
  const std::string_view head = text.substr(0, cut), tail = text.substr(cut);
  const auto lines_in = [](std::string_view t) {
    return static_cast<size_t>(std::count(t.begin(), t.end(), '\n')) + 1;
  };
  const size_t tail_lines = tail.empty() ? 0 : lines_in(tail);
  LinesRead first, second;
  {
    std::future<void> other;
    if (!tail.empty())
      other = std::async(std::launch::async, [&] {
        ReadLines(tail, options, out.delimiter, false, tail_lines, nullptr,
                  second);
      });
    ReadLines(head, options, out.delimiter, true, lines_in(head) + tail_lines,
              &progress, first);
    if (other.valid()) other.get();
  }
  if (first.error_line) throw InputError(file, first.error_line, first.error);
  if (second.error_line)
    throw InputError(file, first.lines + second.error_line, second.error);
  out.header_skipped = first.header_skipped;
  out.points = std::move(first.points);
  for (SurveyPoint& p : second.points) {
    p.line += first.lines;
    out.points.push_back(std::move(p));
  }
  std::vector<SurveyPoint>().swap(second.points);
  const bool has_name =
      std::find(options.columns.order.begin(), options.columns.order.end(),
                Column::kName) != options.columns.order.end();
  if (!has_name)
    for (size_t i = 0; i < out.points.size(); ++i)
      out.points[i].name = std::to_string(i + 1);
  if (out.points.empty()) throw InputError(file, 0, "no points in the file");
  return out;
}

PointFile ReadPointFile(const std::string& path, const ReadOptions& options,
                        const LineProgress& progress) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    throw InputError(path, 0, "is a folder, not a point file");
  // Read whole, straight into one buffer: no copies of a large file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw InputError(path, 0, std::strerror(errno));
  struct stat st {};
  size_t room = size_t{1} << 16;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
    room = static_cast<size_t>(st.st_size) + 1;  // + 1: the end seen at once
  auto buffer = std::make_unique_for_overwrite<char[]>(room);
  size_t used = 0;
  for (;;) {
    if (used == room) {  // grown since, or not a regular file
      auto bigger = std::make_unique_for_overwrite<char[]>(room * 2);
      std::copy(buffer.get(), buffer.get() + used, bigger.get());
      buffer = std::move(bigger);
      room *= 2;
    }
    const ssize_t n = ::read(fd, buffer.get() + used, room - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      throw InputError(path, 0, std::string("read error: ") + std::strerror(e));
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  const std::string_view bytes(buffer.get(), used);
  return ParsePointFile(bytes, path, options, progress);
}

}  // namespace gomiat
