#include "convention.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <unordered_map>

#include "line_fields.h"

namespace gomiat {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == ',')) ++i;
    const size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != ',') ++i;
    if (i > start) words.emplace_back(s.substr(start, i - start));
  }
  return words;
}

LineRole RoleNamed(const std::string& w) {
  if (w == "start") return LineRole::kStart;
  if (w == "end") return LineRole::kEnd;
  if (w == "continue") return LineRole::kContinue;
  if (w == "close") return LineRole::kClose;
  return LineRole::kNone;
}

bool YesNo(const std::vector<std::string>& w, const std::string& where) {
  if (w.size() == 2 && (w[1] == "yes" || w[1] == "no")) return w[1] == "yes";
  throw std::invalid_argument(where + w[0] + " takes yes or no");
}

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() > end.size() && s.substr(s.size() - end.size()) == end;
}

// One code of a field and what the convention says it does here.
struct CodeRole {
  std::string code;
  LineRole role = LineRole::kNone;
};

class FieldReader {
 public:
  explicit FieldReader(const Convention& c) : c_(c) {
    points_.insert(c.point_codes.begin(), c.point_codes.end());
    // Longest glued marker first, so "_cl" is not read as "l".
    for (const LineMarker& m : c.markers)
      (m.place == MarkerPlace::kWord ? words_ : glued_).push_back(&m);
    std::stable_sort(glued_.begin(), glued_.end(), [](auto* a, auto* b) {
      return a->text.size() > b->text.size();
    });
  }

  std::vector<CodeRole> Read(std::string_view field,
                             std::map<std::string, std::string>& numbered) {
    if (const size_t note = field.find_first_of(c_.note_chars);
        !c_.note_chars.empty() && note != std::string_view::npos)
      field = field.substr(0, note);
    std::vector<CodeRole> codes;
    for (std::string& w : Words(field)) {
      if (const LineMarker* m = WordMarker(w)) {
        if (!codes.empty()) codes.back().role = m->role;
        continue;  // a marker with no code before it says nothing
      }
      CodeRole cr;
      for (const LineMarker* m : glued_) {
        if (m->place == MarkerPlace::kSuffix && EndsWith(w, m->text)) {
          w.resize(w.size() - m->text.size());
        } else if (m->place == MarkerPlace::kPrefix &&
                   w.size() > m->text.size() && w.rfind(m->text, 0) == 0) {
          w.erase(0, m->text.size());
        } else {
          continue;
        }
        cr.role = m->role;
        break;
      }
      std::string base = w;
      if (c_.numbered) {
        size_t digits = w.size();
        while (digits > 0 && w[digits - 1] >= '0' && w[digits - 1] <= '9')
          --digits;
        if (digits > 0 && digits < w.size()) {
          base = w.substr(0, digits);
          numbered[w] = base;
        }
      }
      if (points_.count(w) || points_.count(base)) cr.role = LineRole::kPoint;
      cr.code = std::move(w);
      codes.push_back(std::move(cr));
    }
    return codes;
  }

 private:
  const LineMarker* WordMarker(const std::string& w) const {
    for (const LineMarker* m : words_)
      if (m->text == w) return m;
    return nullptr;
  }

  const Convention& c_;
  std::set<std::string> points_;
  std::vector<const LineMarker*> words_, glued_;
};

}  // namespace

Convention ParseConvention(std::string_view text, const std::string& source) {
  Convention c;
  c.name = fs::path(source).stem().string();
  std::istringstream in{std::string(text)};
  std::string line;
  for (size_t number = 1; std::getline(in, line); ++number) {
    if (const size_t hash = line.find('#'); hash != std::string::npos)
      line.resize(hash);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> w;
    std::istringstream words(line);
    for (std::string s; words >> s;) w.push_back(s);
    if (w.empty()) continue;
    const std::string where = source + ":" + std::to_string(number) + ": ";
    if (const LineRole role = RoleNamed(w[0]); role != LineRole::kNone) {
      if (w.size() < 3)
        throw std::invalid_argument(where + w[0] +
                                    " needs word, suffix or prefix and a text");
      MarkerPlace place;
      if (w[1] == "word") {
        place = MarkerPlace::kWord;
      } else if (w[1] == "suffix") {
        place = MarkerPlace::kSuffix;
      } else if (w[1] == "prefix") {
        place = MarkerPlace::kPrefix;
      } else {
        throw std::invalid_argument(where + Shown(w[1]) +
                                    " is not word, suffix or prefix");
      }
      for (size_t k = 2; k < w.size(); ++k)
        c.markers.push_back({role, place, w[k]});
    } else if (w[0] == "note") {
      for (size_t k = 1; k < w.size(); ++k) c.note_chars += w[k];
    } else if (w[0] == "numbered") {
      c.numbered = YesNo(w, where);
    } else if (w[0] == "verbatim") {
      c.verbatim = YesNo(w, where);
    } else if (w[0] == "point") {
      c.point_codes.insert(c.point_codes.end(), w.begin() + 1, w.end());
    } else {
      throw std::invalid_argument(where + "unknown setting " + Shown(w[0]));
    }
  }
  return c;
}

std::vector<std::string> ShippedConventions() {
  return {"gomiat", "begin-end", "plus-dot", "st-co-cl"};
}

std::vector<std::string> ConventionFolders() {
  std::vector<std::string> folders;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec)
    folders.push_back(
        (exe.parent_path().parent_path() / "share/gomiat/conventions")
            .string());
#ifdef GOMIAT_CONVENTIONS_DIR
  folders.push_back(GOMIAT_CONVENTIONS_DIR);
#endif
  return folders;
}

Convention LoadConvention(const std::string& name_or_file,
                          const std::vector<std::string>& folders) {
  std::error_code ec;
  std::string path;
  // A shipped name first: a file of that name in the current folder (the
  // program itself, say) is taken only when no convention has the name.
  if (name_or_file.find('/') == std::string::npos) {
    for (const std::string& f : folders) {
      const fs::path p = fs::path(f) / (name_or_file + ".txt");
      if (fs::is_regular_file(p, ec)) {
        path = p.string();
        break;
      }
    }
  }
  if (path.empty()) {
    path = name_or_file;
    if (!fs::is_regular_file(path, ec)) {
      std::string known;
      for (const std::string& n : ShippedConventions())
        known += (known.empty() ? "" : ", ") + n;
      throw std::invalid_argument("no convention " + Shown(name_or_file) +
                                  " (shipped: " + known +
                                  "; or give a convention file)");
    }
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) throw std::invalid_argument(path + ": cannot be read");
  Convention c = ParseConvention(bytes.str(), path);
  return c;
}

TranslatedCodes TranslateCodes(const std::vector<std::string>& fields,
                               const Convention& convention) {
  TranslatedCodes out;
  if (convention.verbatim) {
    out.fields = fields;
    return out;
  }
  FieldReader reader(convention);
  // Codes whose line was ended: their next point starts a new one.
  std::unordered_map<std::string, bool> ended;
  out.fields.reserve(fields.size());
  for (const std::string& field : fields) {
    std::string ours;
    for (const CodeRole& cr : reader.Read(field, out.numbered)) {
      bool& was_ended = ended[cr.code];
      // After an end there is no line to go on with or to close.
      const bool start = cr.role == LineRole::kStart ||
                         cr.role == LineRole::kPoint || was_ended;
      if (!ours.empty()) ours += ',';
      ours += cr.code;
      if (start)
        ours += " I";
      else if (cr.role == LineRole::kClose)
        ours += " A";
      was_ended = cr.role == LineRole::kEnd;
      if (was_ended) ++out.ends;
    }
    out.fields.push_back(std::move(ours));
  }
  return out;
}

}  // namespace gomiat
