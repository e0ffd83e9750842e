// Point files as survey instruments export them: one point a line, a name,
// three coordinates and a code field, separated by commas, semicolons, tabs
// or blanks, in UTF-8, UTF-16, Windows-1252, -1250 or -1251.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sketch.h"

namespace gomiat {

enum class Delimiter { kAuto, kComma, kSemicolon, kTab, kBlanks };
enum class Encoding {
  kAuto,
  kUtf8,
  kWindows1252,
  kWindows1250,
  kWindows1251,
  kUtf16  // either byte order, told by the byte order mark
};

// What a column holds. Name, elevation and code are optional in a layout;
// easting and northing are not. A skipped column is read and dropped; an
// extra one is kept as an attribute of the point.
enum class Column {
  kName,
  kNorthing,
  kEasting,
  kElevation,
  kCode,
  kSkip,
  kExtra
};

struct ColumnLayout {
  // Default: name, easting (X), northing (Y), elevation, code.
  std::vector<Column> order = {Column::kName, Column::kEasting,
                               Column::kNorthing, Column::kElevation,
                               Column::kCode};
  std::vector<std::string> extra_names;  // of the kExtra columns, in order
};

struct ReadOptions {
  Delimiter delimiter = Delimiter::kAuto;
  Encoding encoding = Encoding::kAuto;
  ColumnLayout columns;
  // A line whose first character other than a blank is one of these is a
  // comment, skipped wherever it is.
  std::string comment;
};

// A point as read: name, easting, northing, elevation, code field, the
// values of extra columns and its line in the file (the sketch's point,
// whose layer the automatic sketch sets later, so a survey is held once).
using SurveyPoint = SketchPoint;

struct PointFile {
  std::vector<SurveyPoint> points;
  Delimiter delimiter = Delimiter::kAuto;  // the one used
  Encoding encoding = Encoding::kAuto;     // the one used
  bool header_skipped = false;
  std::vector<std::string> extra_names;  // as the layout names them
};

// A line that cannot be read; what() is "FILE:LINE: reason" (no line
// number when the trouble is with the file as a whole).
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, size_t line, const std::string& reason);
  const std::string& file() const { return file_; }
  size_t line() const { return line_; }  // 0: the file as a whole

 private:
  std::string file_;
  size_t line_;
};

// "P,E,N,Z,D" and the like (X and Y stand for E and N; "-" skips a column;
// "+NAME" keeps a column as the attribute NAME). Throws
// std::invalid_argument naming what is wrong.
ColumnLayout ParseColumnLayout(std::string_view text);
std::string DelimiterName(Delimiter d);
std::string EncodingName(Encoding e);

// Reads the points of a file's bytes; `file` names it in messages. Blank
// lines are skipped, and so is a first line whose coordinate columns hold
// no number (a header). Throws InputError.
// `progress`, when given, hears now and then how many bytes of how many
// are done.
using LineProgress = std::function<void(size_t done, size_t total)>;
PointFile ParsePointFile(std::string_view bytes, const std::string& file,
                         const ReadOptions& options,
                         const LineProgress& progress = {});
PointFile ReadPointFile(const std::string& path, const ReadOptions& options,
                        const LineProgress& progress = {});

}  // namespace gomiat
