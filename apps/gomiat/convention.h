// Coding conventions: how other field systems mark the start, end,
// continuation and close of a line on a point's code, and how such code
// fields are put into our own words (a code, optionally followed by "I" to
// start a new line or "A" to close the current one) before the automatic
// sketch sees them. The component and its code table stay as they are.
//
// A convention is a small text file, one setting a line ("#" starts a
// comment):
//
//   start    word|suffix|prefix TEXT...  starts a new line at this point
//   end      word|suffix|prefix TEXT...  ends the line after this point
//   continue word|suffix|prefix TEXT...  goes on with the current line
//   close    word|suffix|prefix TEXT...  closes the line on its first point
//   note     CHARS     the rest of a field after any of CHARS is a note
//   numbered yes|no    BC1, BC2: separate lines of the code BC
//   point    CODE...   codes that are points only, never joined
//   verbatim yes|no    the fields go to the component as they are
//
// "word" markers are words of their own after the code ("TB B"); "suffix"
// and "prefix" markers are glued to it ("SW1+", "EP_st").
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace gomiat {

enum class LineRole { kNone, kStart, kEnd, kContinue, kClose, kPoint };
enum class MarkerPlace { kWord, kSuffix, kPrefix };

struct LineMarker {
  LineRole role = LineRole::kNone;
  MarkerPlace place = MarkerPlace::kWord;
  std::string text;
};

struct Convention {
  std::string name;
  std::vector<LineMarker> markers;
  std::string note_chars;
  bool numbered = false;
  std::vector<std::string> point_codes;
  bool verbatim = false;
};

// Throws std::invalid_argument "SOURCE:LINE: reason".
Convention ParseConvention(std::string_view text, const std::string& source);

// The shipped conventions' names, in the order the help lists them.
std::vector<std::string> ShippedConventions();

// NAME (a shipped convention, looked up in `folders` as NAME.txt) or the
// path of a convention file. Throws std::invalid_argument.
Convention LoadConvention(const std::string& name_or_file,
                          const std::vector<std::string>& folders);

// The folders the program looks in for shipped conventions: beside the
// installed program (../share/gomiat/conventions) and the source tree's.
std::vector<std::string> ConventionFolders();

struct TranslatedCodes {
  std::vector<std::string> fields;  // one a point, in our words
  // Codes handed over that are numbered lines of another code
  // ("BC1" -> "BC"), for the code table to give them their base's entry.
  std::map<std::string, std::string> numbered;
  size_t ends = 0;  // "end" markers met
};

// Puts every point's code field into our words. The fields are in point
// order: an "end" becomes a start ("I") on the code's next point.
TranslatedCodes TranslateCodes(const std::vector<std::string>& fields,
                               const Convention& convention);

}  // namespace gomiat
