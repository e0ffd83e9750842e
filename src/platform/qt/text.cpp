#include "platform/qt/text.h"

namespace qdr2_Gomiat::qt {

QString CaptionText(const std::string& caption) {
  const QString in = ToQ(caption);
  QString out;
  out.reserve(in.size());
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == u'&' && i + 1 < in.size()) ++i;
    out.append(in[i]);
  }
  return out;
}

}  // namespace qdr2_Gomiat::qt
