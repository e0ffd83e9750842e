// Where the component finds its code table for this run. The component
// keeps the table as autocroquis.txt in its own folder; --codes FILE picks
// another table. Either way the run works on a private copy in a temporary
// folder (made from the defaults by the component when there is no table
// yet), so the user's table changes only when the run is asked to save it
// (--save-codes, or the code table window in --interactive) and succeeds:
// then the copy replaces the table in one step. Should that fail, the
// temporary folder is kept and named, so nothing the user accepted is lost.
#pragma once

#include <optional>
#include <string>

namespace gomiat {

inline constexpr const char* kCodeTableName = "autocroquis.txt";

class CodeTablePlace {
 public:
  // Throws std::invalid_argument when FILE cannot be used.
  CodeTablePlace(const std::optional<std::string>& codes_file,
                 const std::string& default_folder, bool save);
  ~CodeTablePlace();
  CodeTablePlace(const CodeTablePlace&) = delete;
  CodeTablePlace& operator=(const CodeTablePlace&) = delete;

  // The component folder to use for the run.
  const std::string& Folder() const { return folder_; }
  // The user's table, as messages name it.
  const std::string& Table() const { return file_; }
  // Saves the run's table back when asked to; call only after a run that
  // succeeded. Throws std::runtime_error.
  void Finish();

 private:
  std::string folder_;
  std::string file_;      // the user's table
  std::string original_;  // its bytes before the run
  bool had_file_ = false;
  bool save_ = false;
  bool keep_ = false;  // the copy back failed: leave the folder
};

}  // namespace gomiat
