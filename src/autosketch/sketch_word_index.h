// One pass over the code fields of a survey: each field split once, its
// words interned, and for every code word the points that carry it (in point
// order) with the role the word right after its first appearance gives it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "frame/services.h"
#include "qdr2_gomiat/array.h"
#include "qdr2_gomiat/types.h"

namespace qdr2_Gomiat {

enum class WordKind : uint8_t { kCode, kEmpty, kStart, kClose };

// Command words: "I"/"F" start a polyline, "A"/"C" close it; an empty word
// is no code either.
WordKind KindOfWord(std::string_view word);

// A point whose field holds a code, seen from that code.
struct CodeOccurrence {
  int32_t point = 0;
  T_Tipo_Codigo role = cd_1_Sigue;  // from the word after the code's first
  bool single = false;  // the field holds this code and at most a command
};

class SketchWordIndex {
 public:
  // Splits codes(1..point_count) with the number text service.
  void Build(const Array<std::string>& codes, int32_t point_count,
             NumberTextService& numbers);
  void Clear();

  // Id of a word, or -1 when no field holds it.
  int32_t Find(std::string_view word) const;
  const std::string& Text(int32_t id) const { return texts_[Id(id)]; }
  WordKind Kind(int32_t id) const { return kinds_[Id(id)]; }
  // Code words in the order a scan of the points meets them first.
  const std::vector<int32_t>& CodesInOrder() const { return codes_in_order_; }
  // Points carrying the word (each once), in point order.
  std::span<const CodeOccurrence> Occurrences(int32_t id) const;

  // The field is blanks only, or gives no word at all.
  bool Blank(int32_t point) const { return flags_[Slot(point)] & kBlank; }
  bool NoWords(int32_t point) const { return flags_[Slot(point)] & kNoWords; }
  // Id of the field's first word; -1 when it gives none.
  int32_t FirstWord(int32_t point) const { return first_word_[Slot(point)]; }

 private:
  static constexpr uint8_t kBlank = 1;
  static constexpr uint8_t kNoWords = 2;

  int32_t Intern(std::string_view word);
  void Grow();
  size_t Slot(int32_t point) const;
  size_t Id(int32_t id) const;  // checked

  // Interned words; the table holds (hash, id + 1), 0 marking a free slot.
  std::vector<std::string> texts_;
  std::vector<WordKind> kinds_;
  std::vector<uint64_t> table_hash_;
  std::vector<int32_t> table_id_;
  size_t mask_ = 0;

  std::vector<int32_t> codes_in_order_;
  std::vector<uint32_t> occ_begin_;  // per word id, into occ_
  std::vector<CodeOccurrence> occ_;
  std::vector<int32_t> first_word_;  // per point, index point - 1
  std::vector<uint8_t> flags_;
};

}  // namespace qdr2_Gomiat
