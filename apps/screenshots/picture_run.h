// One run of the tools for their pictures, in this process: the windows
// that exist, opened with sample data through the Qt backend's picture
// mode on an offscreen screen, in a temporary component folder with
// temporary settings, so nothing of the user's is read or written.
#pragma once

#include <string>
#include <vector>

namespace screenshots {

// Gives the offscreen platform a 1920 by 1080 screen at `dpi` (96: one
// device pixel per logical pixel; 144: one and a half), so windows keep
// their size. The description is written at `config_file`. Must run
// before the first window of the process.
void UseOffscreenScreen(const std::string& config_file, int dpi);

// Pictures the code table window filled from the codes of the points in
// `survey` (a point file), its help message, the "obsoleto" message and
// the points editor in both layouts filled with those points, framed, into
// `out_folder` as "<name>_<dpi>dpi.png". Returns the files written. Throws
// std::runtime_error when a window does not appear as it should or a picture
// cannot be saved.
std::vector<std::string> TakePictures(const std::string& out_folder,
                                      const std::string& survey, int dpi);

}  // namespace screenshots
