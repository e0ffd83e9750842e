#include "autosketch/sketch_word_index.h"

#include "frame/convert.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

uint64_t HashWord(std::string_view s) {
  uint64_t h = 1469598103934665603ULL;  // FNV-1a, then a final mix
  for (const char c : s) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  h ^= h >> 29;
  h *= 0xbf58476d1ce4e5b9ULL;
  h ^= h >> 32;
  return h;
}

}  // namespace

WordKind KindOfWord(std::string_view word) {
  if (word.empty()) return WordKind::kEmpty;
  if (word == "I" || word == "F") return WordKind::kStart;
  if (word == "A" || word == "C") return WordKind::kClose;
  return WordKind::kCode;
}

void SketchWordIndex::Clear() {
  texts_.clear();
  kinds_.clear();
  table_hash_.assign(64, 0);
  table_id_.assign(64, 0);
  mask_ = 63;
  codes_in_order_.clear();
  occ_begin_.clear();
  occ_.clear();
  first_word_.clear();
  flags_.clear();
}

size_t SketchWordIndex::Slot(int32_t point) const {
  if (point < 1 || static_cast<size_t>(point) > flags_.size())
    throw Failure(err::kSubscript);
  return static_cast<size_t>(point) - 1;
}

size_t SketchWordIndex::Id(int32_t id) const {
  if (id < 0 || static_cast<size_t>(id) >= texts_.size())
    throw Failure(err::kSubscript);
  return static_cast<size_t>(id);
}

int32_t SketchWordIndex::Find(std::string_view word) const {
  if (table_id_.empty()) return -1;
  const uint64_t h = HashWord(word);
  for (size_t s = h & mask_;; s = (s + 1) & mask_) {
    const int32_t id = table_id_[s];
    if (id == 0) return -1;
    if (table_hash_[s] == h && texts_[static_cast<size_t>(id - 1)] == word)
      return id - 1;
  }
}

int32_t SketchWordIndex::Intern(std::string_view word) {
  const uint64_t h = HashWord(word);
  size_t s = h & mask_;
  for (;; s = (s + 1) & mask_) {
    const int32_t id = table_id_[s];
    if (id == 0) break;
    if (table_hash_[s] == h && texts_[static_cast<size_t>(id - 1)] == word)
      return id - 1;
  }
  if (texts_.size() >= static_cast<size_t>(INT32_MAX - 1))
    throw Failure(err::kOutOfMemory);
  texts_.emplace_back(word);
  kinds_.push_back(KindOfWord(word));
  const auto id = static_cast<int32_t>(texts_.size());
  table_hash_[s] = h;
  table_id_[s] = id;
  if (texts_.size() * 2 > table_id_.size()) Grow();
  return id - 1;
}

void SketchWordIndex::Grow() {
  const size_t cap = table_id_.size() * 2;
  std::vector<uint64_t> hashes(cap, 0);
  std::vector<int32_t> ids(cap, 0);
  const size_t mask = cap - 1;
  for (size_t s = 0; s < table_id_.size(); ++s) {
    if (table_id_[s] == 0) continue;
    size_t t = table_hash_[s] & mask;
    while (ids[t] != 0) t = (t + 1) & mask;
    hashes[t] = table_hash_[s];
    ids[t] = table_id_[s];
  }
  table_hash_.swap(hashes);
  table_id_.swap(ids);
  mask_ = mask;
}

std::span<const CodeOccurrence> SketchWordIndex::Occurrences(int32_t id) const {
  if (id < 0 || static_cast<size_t>(id) + 1 >= occ_begin_.size()) return {};
  const auto k = static_cast<size_t>(id);
  return std::span<const CodeOccurrence>(occ_.data() + occ_begin_[k],
                                         occ_begin_[k + 1] - occ_begin_[k]);
}

void SketchWordIndex::Build(const Array<std::string>& codes,
                            int32_t point_count, NumberTextService& numbers) {
  Clear();
  const size_t n = point_count > 0 ? static_cast<size_t>(point_count) : 0;
  first_word_.assign(n, -1);
  flags_.assign(n, 0);

  struct Pending {
    int32_t id;
    CodeOccurrence occ;
  };
  std::vector<Pending> pending;
  pending.reserve(n + n / 2);
  std::vector<int32_t> last_point;    // per word id: last point seen on
  std::vector<uint32_t> points_with;  // per word id
  std::vector<std::string_view> words;
  std::vector<int32_t> ids;

  for (int32_t i = 1; i <= point_count; ++i) {
    const std::string& field = codes(i);
    numbers.SplitWords(field, words);
    const size_t nw = words.size();
    uint8_t flags = Trim(field).empty() ? kBlank : 0;
    if (nw == 0) flags |= kBlank | kNoWords;
    flags_[static_cast<size_t>(i) - 1] = flags;

    ids.resize(nw);
    for (size_t j = 0; j < nw; ++j) ids[j] = Intern(words[j]);
    if (texts_.size() > last_point.size()) {
      last_point.resize(texts_.size(), 0);
      points_with.resize(texts_.size(), 0);
    }
    if (nw > 0) first_word_[static_cast<size_t>(i) - 1] = ids[0];

    for (size_t j = 0; j < nw; ++j) {
      const auto id = static_cast<size_t>(ids[j]);
      if (kinds_[id] != WordKind::kCode || last_point[id] == i) continue;
      last_point[id] = i;
      if (points_with[id]++ == 0) codes_in_order_.push_back(ids[j]);
      CodeOccurrence occ;
      occ.point = i;
      if (j + 1 == nw) {
        occ.single = nw == 1;
      } else {
        const WordKind next = kinds_[static_cast<size_t>(ids[j + 1])];
        if (next == WordKind::kStart || next == WordKind::kClose) {
          occ.role = next == WordKind::kStart ? cd_2_Inicia : cd_3_Cierra;
          occ.single = nw == 2;
        }
      }
      pending.push_back({ids[j], occ});
    }
  }

  // Group by word, keeping point order (a counting sort).
  points_with.resize(texts_.size(), 0);
  occ_begin_.assign(texts_.size() + 1, 0);
  for (size_t w = 0; w < points_with.size(); ++w)
    occ_begin_[w + 1] = occ_begin_[w] + points_with[w];
  std::vector<uint32_t> fill(occ_begin_.begin(), occ_begin_.end() - 1);
  occ_.resize(pending.size());
  for (const Pending& p : pending)
    occ_[fill[static_cast<size_t>(p.id)]++] = p.occ;
}

}  // namespace qdr2_Gomiat
