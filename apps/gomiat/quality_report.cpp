#include "quality_report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "number_format.h"

namespace gomiat {

namespace {

// At most this many items of a kind are listed; the rest are counted.
constexpr size_t kListed = 50;

bool IsCommand(std::string_view w) {
  return w == "I" || w == "F" || w == "A" || w == "C";
}

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// The codes of every point, as small numbers, flattened: the codes of point
// i are ids[first[i] .. first[i + 1]).
struct PointCodes {
  std::vector<std::string> names;  // by id
  std::vector<size_t> first;
  std::vector<uint32_t> ids;
  std::vector<bool> closes;  // the code is followed by "A" or "C"
  std::vector<bool> joined;  // the point is a vertex of a line of the code

  // Index into ids of the code on point p, or npos.
  size_t Find(size_t p, uint32_t id) const {
    for (size_t k = first[p]; k < first[p + 1]; ++k)
      if (ids[k] == id) return k;
    return std::string::npos;
  }
};

PointCodes CodesOf(const ReportInput& in) {
  PointCodes pc;
  std::unordered_map<std::string_view, uint32_t> id_of;
  const size_t n = in.sketch->points.size();
  pc.first.reserve(n + 1);
  std::vector<std::string_view> words;
  for (size_t p = 0; p < n; ++p) {
    const std::string& f = in.fields && p < in.fields->size()
                               ? (*in.fields)[p]
                               : in.sketch->points[p].code;
    pc.first.push_back(pc.ids.size());
    words.clear();
    for (size_t i = 0; i < f.size();) {
      while (i < f.size() && IsSeparator(f[i])) ++i;
      const size_t start = i;
      while (i < f.size() && !IsSeparator(f[i])) ++i;
      if (i > start)
        words.push_back(std::string_view(f).substr(start, i - start));
    }
    for (size_t w = 0; w < words.size(); ++w) {
      if (IsCommand(words[w])) continue;
      auto [it, added] =
          id_of.emplace(words[w], static_cast<uint32_t>(pc.names.size()));
      if (added) pc.names.emplace_back(words[w]);
      // A code twice on one point counts once; its first place decides.
      bool again = false;
      for (size_t k = pc.first.back(); k < pc.ids.size(); ++k)
        again = again || pc.ids[k] == it->second;
      if (again) continue;
      pc.ids.push_back(it->second);
      pc.closes.push_back(w + 1 < words.size() &&
                          (words[w + 1] == "A" || words[w + 1] == "C"));
    }
  }
  pc.first.push_back(pc.ids.size());
  pc.joined.assign(pc.ids.size(), false);
  return pc;
}

double Distance(const SketchPoint& a, const SketchPoint& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Projected coordinates where the easting reads like a northing of the
// same system and the other way round (a PNEZD file read as PENZD).
std::string AxisHint(const std::vector<SketchPoint>& points) {
  if (points.empty()) return {};
  double min_x = points[0].x, max_x = min_x, min_y = points[0].y, max_y = min_y;
  for (const SketchPoint& p : points) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  if (min_x >= 1e6 && max_x < 1e7 && min_y >= 1e5 && max_y < 1e6)
    return "the eastings (" + FixedShortest(std::round(min_x)) + " to " +
           FixedShortest(std::round(max_x)) +
           ") look like northings and the northings like eastings: if the "
           "file holds northing before easting, give --columns P,N,E,Z,D";
  return {};
}

}  // namespace

QualityReport MakeQualityReport(const ReportInput& in) {
  const std::vector<SketchPoint>& points = in.sketch->points;
  QualityReport r;
  PointCodes pc = CodesOf(in);
  const size_t n_codes = pc.names.size();
  std::vector<CodeFigures> fig(n_codes);
  for (size_t c = 0; c < n_codes; ++c) fig[c].code = pc.names[c];
  for (uint32_t id : pc.ids) ++fig[id].points;

  // Each polyline belongs to the code its points share.
  std::vector<std::vector<double>> lengths(n_codes);
  std::vector<std::vector<std::pair<size_t, size_t>>> segments(n_codes);
  for (const SketchPolyline& pl : in.sketch->polylines) {
    if (pl.vertices.size() < 2) continue;
    bool inside = true;
    for (size_t v : pl.vertices) inside = inside && v < points.size();
    if (!inside) continue;
    const size_t p0 = pl.vertices[0];
    uint32_t code = UINT32_MAX;
    for (size_t k = pc.first[p0]; k < pc.first[p0 + 1] && code == UINT32_MAX;
         ++k) {
      bool all = true;
      for (size_t v : pl.vertices)
        all = all && pc.Find(v, pc.ids[k]) != std::string::npos;
      if (all) code = pc.ids[k];
    }
    if (code == UINT32_MAX) continue;
    CodeFigures& f = fig[code];
    ++f.polylines;
    f.vertices += pl.vertices.size();
    for (size_t v : pl.vertices) pc.joined[pc.Find(v, code)] = true;
    for (size_t k = 1; k < pl.vertices.size(); ++k) {
      const size_t a = pl.vertices[k - 1], b = pl.vertices[k];
      if (a == b) continue;
      const double d = Distance(points[a], points[b]);
      lengths[code].push_back(d);
      segments[code].emplace_back(a, b);
      if (d > f.longest) {
        f.longest = d;
        f.longest_from = a;
        f.longest_to = b;
      }
    }
  }

  for (size_t c = 0; c < n_codes; ++c) {
    if (!lengths[c].empty()) {
      std::vector<double> sorted = lengths[c];
      std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2,
                       sorted.end());
      const double median = sorted[sorted.size() / 2];
      for (size_t k = 0; k < lengths[c].size(); ++k)
        if (median > 0 && lengths[c][k] > kLongSegmentFactor * median)
          r.long_segments.push_back({pc.names[c], segments[c][k].first,
                                     segments[c][k].second, lengths[c][k],
                                     median});
    }
    if (!in.known_codes.count(pc.names[c]))
      r.unknown_codes.push_back(pc.names[c]);
  }

  for (size_t p = 0; p < points.size() && p + 1 < pc.first.size(); ++p) {
    for (size_t k = pc.first[p]; k < pc.first[p + 1]; ++k) {
      if (pc.joined[k]) continue;
      const std::string& code = pc.names[pc.ids[k]];
      const auto j = in.joining.find(code);
      const bool line =
          j == in.joining.end() || j->second == "Lineal" || j->second == "Area";
      if (!line || in.point_codes.count(code)) continue;
      if (pc.closes[k])
        r.ignored_closes.emplace_back(code, p);
      else
        r.lone_points[code].push_back(p);
    }
  }

  // Duplicate names: by hash, then by the names themselves.
  std::vector<std::pair<size_t, uint32_t>> hashed;
  hashed.reserve(points.size());
  for (size_t p = 0; p < points.size(); ++p)
    hashed.emplace_back(std::hash<std::string>{}(points[p].name),
                        static_cast<uint32_t>(p));
  std::sort(hashed.begin(), hashed.end());
  for (size_t a = 0; a < hashed.size();) {
    size_t b = a + 1;
    while (b < hashed.size() && hashed[b].first == hashed[a].first) ++b;
    for (size_t i = a; b - a > 1 && i < b; ++i)
      for (size_t k = a; k < i; ++k)
        if (points[hashed[k].second].name == points[hashed[i].second].name) {
          auto& list = r.duplicate_names[points[hashed[i].second].name];
          if (list.empty()) list.push_back(hashed[k].second);
          list.push_back(hashed[i].second);
          break;
        }
    a = b;
  }
  for (auto& [name, list] : r.duplicate_names) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }

  std::sort(fig.begin(), fig.end(),
            [](const auto& a, const auto& b) { return a.code < b.code; });
  r.codes = std::move(fig);
  std::sort(r.unknown_codes.begin(), r.unknown_codes.end());
  std::stable_sort(r.long_segments.begin(), r.long_segments.end(),
                   [](const auto& a, const auto& b) {
                     return a.length / a.median > b.length / b.median;
                   });
  r.axis_hint = AxisHint(points);
  return r;
}

namespace {

std::string Fixed(double v, int decimals = 3) {
  const double scale = std::pow(10.0, decimals);
  return FixedShortest(std::round(v * scale) / scale);
}

std::string Padded(std::string s, size_t width, bool right = false) {
  if (s.size() < width) s.insert(right ? 0 : s.size(), width - s.size(), ' ');
  return s;
}

}  // namespace

void WriteQualityReport(const QualityReport& r, const ReportInput& in,
                        const std::string& title, std::ostream& out) {
  const std::vector<SketchPoint>& pts = in.sketch->points;
  const auto name = [&](size_t p) {
    return p < pts.size() ? pts[p].name : std::string("?");
  };
  const auto at = [&](size_t p) {
    return name(p) + " (line " +
           std::to_string(p < pts.size() ? pts[p].line : 0) + ")";
  };
  out << "Quality report: " << title << "\n\n";
  out << "Per code\n  " << Padded("code", 16) << Padded("points", 8, true)
      << Padded("lines", 7, true) << Padded("vertices", 10, true)
      << "  longest segment\n";
  for (const CodeFigures& f : r.codes) {
    out << "  " << Padded(f.code, 16)
        << Padded(std::to_string(f.points), 8, true)
        << Padded(std::to_string(f.polylines), 7, true)
        << Padded(std::to_string(f.vertices), 10, true);
    if (f.polylines > 0)
      out << "  " << Fixed(f.longest) << " (" << name(f.longest_from) << " - "
          << name(f.longest_to) << ")";
    out << "\n";
  }
  const auto more = [&](size_t total) {
    if (total > kListed) out << "  ... and " << (total - kListed) << " more\n";
  };

  out << "\nCodes not in the code table (a line on a layer of their own name, "
         "colour 7): "
      << r.unknown_codes.size() << "\n";
  for (size_t k = 0; k < r.unknown_codes.size() && k < kListed; ++k)
    out << "  " << r.unknown_codes[k] << "\n";
  more(r.unknown_codes.size());

  size_t lone = 0;
  for (const auto& [code, list] : r.lone_points) lone += list.size();
  out << "\nPoints of a line code joined to nothing (one-point lines): " << lone
      << "\n";
  for (const auto& [code, list] : r.lone_points) {
    out << "  " << code << ":";
    for (size_t k = 0; k < list.size() && k < 20; ++k)
      out << " " << name(list[k]);
    if (list.size() > 20) out << " ... (" << list.size() << ")";
    out << "\n";
  }

  out << "\nCloses ignored (fewer than three points of the line before "
         "them): "
      << r.ignored_closes.size() << "\n";
  for (size_t k = 0; k < r.ignored_closes.size() && k < kListed; ++k)
    out << "  " << r.ignored_closes[k].first << " at point "
        << at(r.ignored_closes[k].second) << "\n";
  more(r.ignored_closes.size());

  out << "\nSegments over " << FixedShortest(kLongSegmentFactor)
      << " times their code's median length (likely wrong joins): "
      << r.long_segments.size() << "\n";
  for (size_t k = 0; k < r.long_segments.size() && k < kListed; ++k) {
    const LongSegment& s = r.long_segments[k];
    out << "  " << s.code << ": " << name(s.from) << " - " << name(s.to) << "  "
        << Fixed(s.length) << " (median " << Fixed(s.median) << ")\n";
  }
  more(r.long_segments.size());

  out << "\nDuplicate point names: " << r.duplicate_names.size() << "\n";
  size_t listed = 0;
  for (const auto& [dup, list] : r.duplicate_names) {
    if (++listed > kListed) break;
    out << "  " << dup << ": lines";
    for (size_t p : list) out << " " << (p < pts.size() ? pts[p].line : 0);
    out << "\n";
  }
  more(r.duplicate_names.size());

  out << "\nAxis order: "
      << (r.axis_hint.empty() ? "nothing looks swapped" : r.axis_hint) << "\n";
}

void WriteReportSummary(const QualityReport& r, std::ostream& out) {
  size_t lone = 0;
  for (const auto& [code, list] : r.lone_points) lone += list.size();
  out << "  check      " << r.unknown_codes.size()
      << " codes not in the table, " << lone << " points joined to nothing, "
      << r.ignored_closes.size() << " closes ignored,\n"
      << "             " << r.long_segments.size() << " long segments, "
      << r.duplicate_names.size() << " duplicate names\n";
  if (!r.axis_hint.empty()) out << "  hint       " << r.axis_hint << "\n";
}

}  // namespace gomiat
