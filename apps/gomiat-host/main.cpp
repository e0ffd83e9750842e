// gomiat-host [SURVEY|PROJECT.gmh]: a desktop host of the component's
// tools on a survey, with a plan view.
#include <QApplication>
#include <QStringList>

#include "main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("gomiat-host");
  host::MainWindow window;
  window.show();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    const QString& path = args.at(1);
    if (path.endsWith(".gmh", Qt::CaseInsensitive))
      window.OpenProject(path);
    else
      window.OpenSurvey(path);
  }
  return QApplication::exec();
}
