// Texts cross between the model (UTF-8 std::string) and Qt (QString).
#pragma once

#include <QString>
#include <string>

namespace qdr2_Gomiat::qt {

inline QString ToQ(const std::string& s) { return QString::fromStdString(s); }
inline std::string FromQ(const QString& s) { return s.toStdString(); }

// A label's caption as the platform shows it: "&x" marks an access key
// (shown without the "&"), "&&" is one "&".
QString CaptionText(const std::string& caption);

}  // namespace qdr2_Gomiat::qt
