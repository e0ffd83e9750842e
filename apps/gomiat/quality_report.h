// What a surveyor checks before taking the drawing to the office: per code
// its points, lines, vertices and longest segment, and the doubtful spots
// (codes the table did not know, points of a line code joined to nothing,
// closes the sketch ignored, segments much longer than their code's usual
// one, duplicate point names, coordinates that look like the other axis
// order).
#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "sketch.h"

namespace gomiat {

struct ReportInput {
  const Sketch* sketch = nullptr;
  // The code fields as handed over; null: the points' own.
  const std::vector<std::string>* fields = nullptr;
  std::set<std::string> known_codes;           // in the table before the run
  std::map<std::string, std::string> joining;  // code -> "Lineal", ...
  std::set<std::string> point_codes;           // points only by the convention
};

struct CodeFigures {
  std::string code;
  size_t points = 0, polylines = 0, vertices = 0;
  double longest = 0;
  size_t longest_from = 0, longest_to = 0;  // points
};

struct LongSegment {
  std::string code;
  size_t from = 0, to = 0;  // points
  double length = 0, median = 0;
};

struct QualityReport {
  std::vector<CodeFigures> codes;  // sorted by code
  std::vector<std::string> unknown_codes;
  std::map<std::string, std::vector<size_t>> lone_points;  // code -> points
  std::vector<std::pair<std::string, size_t>> ignored_closes;
  std::vector<LongSegment> long_segments;
  std::map<std::string, std::vector<size_t>> duplicate_names;  // -> points
  std::string axis_hint;  // empty when nothing looks wrong
};

// A segment this many times its code's median length is listed.
inline constexpr double kLongSegmentFactor = 5.0;

QualityReport MakeQualityReport(const ReportInput& input);

// The whole report, and the few lines for the terminal.
void WriteQualityReport(const QualityReport& r, const ReportInput& input,
                        const std::string& title, std::ostream& out);
void WriteReportSummary(const QualityReport& r, std::ostream& out);

}  // namespace gomiat
