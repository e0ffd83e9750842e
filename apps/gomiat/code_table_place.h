// Where the component finds its code table for this run. The component
// keeps the table as autocroquis.txt in its own folder; --codes FILE picks
// another table:
// - a file named autocroquis.txt is used in place: its folder becomes the
//   component's folder for the run;
// - a file of any other name is copied as autocroquis.txt into a private
//   temporary folder, and what the run leaves there is copied back over
//   FILE (replacing it in one step) when it changed, or created when FILE
//   did not exist. Should that copy fail, the temporary folder is kept and
//   named in the error, so nothing the user accepted is lost.
#pragma once

#include <optional>
#include <string>

namespace gomiat {

inline constexpr const char* kCodeTableName = "autocroquis.txt";

class CodeTablePlace {
 public:
  // Throws std::invalid_argument when FILE cannot be used.
  explicit CodeTablePlace(const std::optional<std::string>& codes_file,
                          const std::string& default_folder);
  ~CodeTablePlace();
  CodeTablePlace(const CodeTablePlace&) = delete;
  CodeTablePlace& operator=(const CodeTablePlace&) = delete;

  // The component folder to use.
  const std::string& Folder() const { return folder_; }
  // Brings a private copy back to FILE. Throws std::runtime_error.
  void Finish();

 private:
  std::string folder_;
  std::string file_;      // FILE when a private copy is used
  std::string original_;  // FILE's bytes before the run
  bool had_file_ = false;
  bool temporary_ = false;  // folder_ is ours to remove
  bool keep_ = false;       // the copy back failed: leave the folder
};

}  // namespace gomiat
