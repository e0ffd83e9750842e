#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>

#include "error_history_dialog.h"
#include "point_file.h"
#include "project_file.h"

namespace host {

namespace {

int Whole(float v) {
  return static_cast<int>(std::lround(std::clamp(v, -2e9f, 2e9f)));
}

const char* kSurveyFilter =
    "Survey point files (*.txt *.csv *.xyz *.pts *.asc);;All files (*)";
const char* kProjectFilter = "gomiat-host projects (*.gmh);;All files (*)";

}  // namespace

void StatusProgress::SetMin(float v) { bar_->setMinimum(Whole(v)); }
void StatusProgress::SetMax(float v) { bar_->setMaximum(Whole(v)); }
void StatusProgress::SetValue(float v) { bar_->setValue(Whole(v)); }
void StatusProgress::SetVisible(bool v) { bar_->setVisible(v); }

MainWindow::MainWindow()
    : view_(new PlanView(model_, this)),
      cursor_label_(new QLabel(this)),
      progress_(new QProgressBar(this)) {
  setWindowTitle("gomiat-host");
  setCentralWidget(view_);
  progress_->setMaximumWidth(220);
  progress_->setVisible(false);
  statusBar()->addPermanentWidget(cursor_label_);
  statusBar()->addPermanentWidget(progress_);
  bar_ = std::make_unique<StatusProgress>(progress_);
  tools_ = std::make_unique<ToolActions>(model_, static_cast<ViewHooks&>(*this),
                                         bar_.get(), this);
  BuildActions();
  BuildMenus();

  view_->on_point_picked = [this](int32_t p) { ShowPoint(p); };
  view_->on_polyline_picked = [this](int32_t k) {
    picked_polyline_ = k;
    if (k == 0) return;
    const int32_t l = model_.PolylineLayer(k);
    Report(QString("Polyline %1 on layer %2, %3 vertices")
               .arg(k)
               .arg(QString::fromStdString(model_.LayerName(l)))
               .arg(model_.PolylineVertices(k).size()));
  };
  view_->on_point_double_clicked = [this](int32_t p) {
    picked_point_ = p;
    RunTool([this, p] { return tools_->EditPoint(p); });
  };
  view_->on_cursor = [this](double x, double y) {
    cursor_label_->setText(
        QString("X %1  Y %2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3));
  };
  resize(1100, 720);
  Report("Open a survey (File > Open survey)");
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::Add(const std::string& name, const QString& text,
                         std::function<void()> run, const QKeySequence& keys) {
  auto* a = new QAction(text, this);
  a->setObjectName(QString::fromStdString(name));
  if (!keys.isEmpty()) a->setShortcut(keys);
  connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
  actions_[name] = a;
  return a;
}

QAction* MainWindow::Action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::BuildActions() {
  Add(
      "open", "&Open survey...",
      [this] {
        const QString f = QFileDialog::getOpenFileName(this, "Open survey", {},
                                                       kSurveyFilter);
        if (!f.isEmpty()) OpenSurvey(f);
      },
      QKeySequence::Open);
  Add("open_project", "Open &project...", [this] {
    const QString f =
        QFileDialog::getOpenFileName(this, "Open project", {}, kProjectFilter);
    if (!f.isEmpty()) OpenProject(f);
  });
  Add(
      "save", "&Save project...",
      [this] {
        const QString f = QFileDialog::getSaveFileName(this, "Save project", {},
                                                       kProjectFilter);
        if (!f.isEmpty()) SaveProjectAs(f);
      },
      QKeySequence::Save);
  Add("export_dxf", "Export &DXF...", [this] {
    const QString f = QFileDialog::getSaveFileName(this, "Export DXF", {},
                                                   "DXF drawings (*.dxf)");
    if (!f.isEmpty()) ExportDxfAs(f);
  });
  Add("export_csv", "Export points &CSV...", [this] {
    const QString f = QFileDialog::getSaveFileName(this, "Export points", {},
                                                   "CSV files (*.csv)");
    if (!f.isEmpty()) ExportCsvAs(f);
  });
  Add(
      "quit", "&Quit", [this] { close(); }, QKeySequence::Quit);

  Add(
      "fit", "&Fit to extents", [this] { view_->FitExtents(); },
      QKeySequence(Qt::Key_F));
  Add(
      "zoom_in", "Zoom &in",
      [this] {
        view_->ZoomAt(2, QPointF(view_->width() / 2.0, view_->height() / 2.0));
      },
      QKeySequence::ZoomIn);
  Add(
      "zoom_out", "Zoom &out",
      [this] {
        view_->ZoomAt(0.5,
                      QPointF(view_->width() / 2.0, view_->height() / 2.0));
      },
      QKeySequence::ZoomOut);

  Add("sketch", "&Automatic sketch...",
      [this] { RunTool([this] { return tools_->RunSketch(); }); });
  Add("points", "&Points editor...",
      [this] { RunTool([this] { return tools_->EditPoints(false); }); });
  Add("points_excel", "Points editor (&Excel layout)...",
      [this] { RunTool([this] { return tools_->EditPoints(true); }); });
  Add("points_compact", "Points editor (co&mpact)...",
      [this] { RunTool([this] { return tools_->EditPointsCompact(); }); });
  Add("point", "Edit picked p&oint...",
      [this] { RunTool([this] { return tools_->EditPoint(picked_point_); }); });
  Add("navigate", "&Navigation bar...",
      [this] { RunTool([this] { return tools_->Navigate(); }); });
  Add("layers", "&Layers...",
      [this] { RunTool([this] { return tools_->EditLayers(); }); });
  Add("line_style", "Line &style of the picked polyline...", [this] {
    RunTool([this] { return tools_->PickLineStyle(picked_polyline_); });
  });
  Add("drawings", "&Drawings...",
      [this] { RunTool([this] { return tools_->EditDrawings(); }); });
  Add("entities", "Entity &counts...",
      [this] { RunTool([this] { return tools_->ShowEntities(); }); });
  Add("errors", "Error &history...", [this] {
    ErrorHistoryDialog dialog(ReadErrorHistory(), this);
    dialog.exec();
  });
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  for (const char* n : {"open", "open_project", "save"})
    file->addAction(Action(n));
  file->addSeparator();
  file->addAction(Action("export_dxf"));
  file->addAction(Action("export_csv"));
  file->addSeparator();
  file->addAction(Action("quit"));
  QMenu* view = menuBar()->addMenu("&View");
  for (const char* n : {"fit", "zoom_in", "zoom_out"})
    view->addAction(Action(n));
  QMenu* tools = menuBar()->addMenu("&Tools");
  tools->addAction(Action("sketch"));
  tools->addSeparator();
  for (const char* n :
       {"points", "points_excel", "points_compact", "point", "navigate"})
    tools->addAction(Action(n));
  tools->addSeparator();
  for (const char* n : {"layers", "line_style", "drawings"})
    tools->addAction(Action(n));
  tools->addSeparator();
  tools->addAction(Action("entities"));
  tools->addAction(Action("errors"));

  QToolBar* bar = addToolBar("Main");
  bar->setObjectName("main_toolbar");
  for (const char* n :
       {"open", "save", "fit", "sketch", "points", "layers", "navigate"})
    bar->addAction(Action(n));
}

void MainWindow::Report(const QString& what) { statusBar()->showMessage(what); }

QString MainWindow::StatusText() const { return statusBar()->currentMessage(); }

void MainWindow::RunTool(const std::function<std::string()>& tool) {
  // The tools' windows are modal, but a double click or a shortcut queued
  // before one opened must not start a second tool inside the first.
  if (tool_running_) return;
  tool_running_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{tool_running_};
  QString failure;
  try {
    Report(QString::fromStdString(tool()));
    return;
  } catch (const q::Failure& f) {
    failure = QString("%1 %2: %3")
                  .arg(QString::fromStdString(f.source()))
                  .arg(f.number())
                  .arg(QString::fromStdString(f.description()));
  } catch (const std::exception& e) {
    failure = QString::fromUtf8(e.what());
  }
  Report(failure);
  if (!quiet_) QMessageBox::warning(this, "gomiat-host", failure);
}

void MainWindow::ShowPoint(int32_t p) {
  picked_point_ = p;
  if (p < 1 || p > model_.Nopun) return;
  Report(
      QString("Point %1  X %2  Y %3  Z %4  code \"%5\"  layer %6")
          .arg(QString::fromStdString(model_.PointName(p)))
          .arg(model_.PX(p), 0, 'f', 3)
          .arg(model_.PY(p), 0, 'f', 3)
          .arg(model_.PZ(p), 0, 'f', 3)
          .arg(QString::fromStdString(model_.PointCode(p)))
          .arg(QString::fromStdString(model_.LayerName(model_.PointLayer(p)))));
}

void MainWindow::NewModel(HostModel model, const QString& title) {
  model_ = std::move(model);
  tools_->PointsReplaced();
  picked_point_ = picked_polyline_ = 0;
  view_->MarkPoint(0);
  view_->ModelChanged();
  view_->FitExtents();
  setWindowTitle(title + " - gomiat-host");
}

bool MainWindow::OpenSurvey(const QString& path) {
  std::string failure;
  try {
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->setVisible(true);
    const gomiat::PointFile file = gomiat::ReadPointFile(
        path.toStdString(), {}, [this](size_t done, size_t total) {
          if (total > 0) progress_->setValue(int(1000.0 * done / total));
        });
    progress_->setVisible(false);
    HostModel m;
    m.AddSurvey(QFileInfo(path).completeBaseName().toStdString(), file.points);
    NewModel(std::move(m), QFileInfo(path).fileName());
    Report(QString("%1: %2 points").arg(path).arg(model_.Nopun));
    return true;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  progress_->setVisible(false);
  Report(QString::fromStdString(failure));
  if (!quiet_)
    QMessageBox::warning(this, "gomiat-host", QString::fromStdString(failure));
  return false;
}

bool MainWindow::OpenProject(const QString& path) {
  try {
    NewModel(LoadProject(path.toStdString()), QFileInfo(path).fileName());
    Report(QString("%1: %2 points, %3 polylines")
               .arg(path)
               .arg(model_.Nopun)
               .arg(model_.nPolis));
    return true;
  } catch (const std::exception& e) {
    Report(QString::fromUtf8(e.what()));
    if (!quiet_) QMessageBox::warning(this, "gomiat-host", e.what());
    return false;
  }
}

namespace {

template <class Write>
bool Save(QMainWindow* w, bool quiet, const QString& path, Write write) {
  try {
    write(path.toStdString());
    w->statusBar()->showMessage("Saved " + path);
    return true;
  } catch (const std::exception& e) {
    w->statusBar()->showMessage(QString::fromUtf8(e.what()));
    if (!quiet) QMessageBox::warning(w, "gomiat-host", e.what());
    return false;
  }
}

}  // namespace

bool MainWindow::SaveProjectAs(const QString& path) {
  return Save(this, quiet_, path,
              [this](const std::string& p) { SaveProject(model_, p); });
}

bool MainWindow::ExportDxfAs(const QString& path) {
  return Save(this, quiet_, path,
              [this](const std::string& p) { ExportDxf(model_, p); });
}

bool MainWindow::ExportCsvAs(const QString& path) {
  return Save(this, quiet_, path,
              [this](const std::string& p) { ExportPointsCsv(model_, p); });
}

void MainWindow::CentreOn(int32_t point) { view_->CentreOn(point); }

void MainWindow::MarkPoint(int32_t point) {
  view_->MarkPoint(point);
  if (point != 0) ShowPoint(point);
}

void MainWindow::ZoomOnPoint(bool in, int32_t point) {
  view_->ZoomOnPoint(in, point);
}

void MainWindow::ModelChanged() { view_->ModelChanged(); }

void MainWindow::StyleChanged() { view_->StyleChanged(); }

}  // namespace host
