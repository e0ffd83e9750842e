// The code table file `autocroquis.txt`: one entry per line, six fields
// separated by commas (code, count, joining type, layer, colour number, line
// type), Windows-1252 bytes, lines ended by CR LF, as every installation of
// the suite writes it.
//
// Reading, beyond "a comma or a line end ends a field, blanks before a field
// are skipped, an empty numeric field reads 0":
// - line ends may be CR LF, LF or CR; lines of blanks only are no entry;
// - a line is one entry: missing fields read empty (0 when numeric), fields
//   after the sixth are ignored;
// - a field is trimmed of blanks and tabs at both ends (so blanks at the
//   ends of a text are not kept); there is no quoting;
// - a numeric field that is not a whole number (decimals are rounded) is
//   Failure 13 (6 when out of range);
// - bytes are Windows-1252, except that a file starting with a UTF-8 byte
//   order mark is read as UTF-8 (bytes that are not valid UTF-8 still read as
//   Windows-1252), for files saved by a UTF-8 editor.
//
// Writing: numbers in signed form (" 3", "-1"); texts as they are. A text
// the file cannot hold (see CodeTableUnstorable) is never written.
//
// The file is read and replaced under a FileLock, so programs merging into
// one table at once do it one after another; a link that leads nowhere, a
// folder, a pipe or a device of that name is a failure, never replaced.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "autosketch/code_table.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

// The six fields of one line, as texts.
using CodeTableFields = std::array<std::string, 6>;

// The entries of the file's bytes, in file order, texts in UTF-8.
std::vector<CodeTableFields> ParseCodeTableFile(std::string_view bytes);

// A numeric field: empty reads 0; not a number is Failure 13.
int32_t CodeTableNumber(const std::string& field);

// Longest text (in characters) a field may hold: far beyond any field code
// or layer name, short enough that one bad entry cannot bloat the table.
inline constexpr size_t kCodeTableTextLimit = 255;

// Why the file cannot hold `text` as a field, "" when it can: a comma (it
// would split the field), a control character (a line break, a tab, NUL...),
// a character outside Windows-1252, more than kCodeTableTextLimit
// characters, or a start that reads as the UTF-8 byte order mark.
std::string CodeTableUnstorable(const std::string& text);

// A text field as it goes into the file, in Windows-1252; Failure 5 naming
// the text when the file cannot hold it.
std::string CodeTableFieldBytes(const std::string& text);

// Fills `table` from the table file, or, when there is none, from the
// defaults and creates the file with them. A failure ends it; the table keeps
// what was read, its count including the entry being read.
void LoadCodeTable(CodeTable& table);

// Largest number of entries the file may hold when merging.
inline constexpr int32_t kCodeTableMergeLimit = 1000;

// Merges entries 1..n into the table file: the first entry of each code is
// updated, codes the file lacks are appended in the order given, every other
// entry keeps its place. A missing file is left missing; a file the merge
// would not change is not rewritten (so a read-only one is no failure).
// Given entries the file cannot hold are left out: the others are saved,
// then one Failure 5 names those left out. On any other failure the file is
// left as it was.
void MergeCodeTable(int32_t n, const Array<std::string>& codes,
                    const Array<std::string>& counts,
                    const Array<std::string>& types,
                    const Array<std::string>& layers,
                    const Array<int32_t>& colours,
                    const Array<std::string>& lines);

}  // namespace qdr2_Gomiat
