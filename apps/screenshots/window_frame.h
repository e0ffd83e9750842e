// Pictures of windows as the desktop shows them. A grab of a dialog holds
// its inside only; the window manager draws the title bar, and without it
// a message box's title would be lost. The frame added here is the one Qt
// itself draws for windows inside windows: title bar with caption and
// buttons, and a thin border.
#pragma once

#include <string>

namespace screenshots {

// Reads the PNG at `from` (an inside grabbed at `ratio` device pixels per
// logical pixel), frames it with `title` (a maximize button when
// `sizable`) and writes it at `to`, compressed hard. False when either
// file fails.
bool SaveFramedPicture(const std::string& from, const std::string& to,
                       const std::string& title, bool sizable, double ratio);

}  // namespace screenshots
