// The host's main window: menus and a tool bar reaching every tool, the
// plan view, and a status bar with the picked point, the cursor's
// coordinates and the progress bar the points editors drive.
#pragma once

#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "host_model.h"
#include "plan_view.h"
#include "tool_actions.h"

class QAction;
class QLabel;
class QProgressBar;

namespace host {

// The status bar's QProgressBar as the component's prograsbar.
class StatusProgress final : public q::ProgressBar {
 public:
  explicit StatusProgress(QProgressBar* bar) : bar_(bar) {}
  void SetMin(float v) override;
  void SetMax(float v) override;
  void SetValue(float v) override;
  void SetVisible(bool v) override;

 private:
  QProgressBar* bar_;
};

class MainWindow : public QMainWindow, public q::HostWindow, private ViewHooks {
 public:
  MainWindow();
  ~MainWindow() override;

  // Each reports a failure in a message box (or, when `quiet`, only in
  // the status bar) and returns false.
  bool OpenSurvey(const QString& path);
  bool OpenProject(const QString& path);
  bool SaveProjectAs(const QString& path);
  bool ExportDxfAs(const QString& path);
  bool ExportCsvAs(const QString& path);

  HostModel& Model() { return model_; }
  PlanView& View() { return *view_; }
  ToolActions& Tools() { return *tools_; }
  QProgressBar& Progress() { return *progress_; }
  // Menu and tool bar actions by their object name ("sketch", "layers"...).
  QAction* Action(const std::string& name) const;
  QString StatusText() const;
  void set_quiet(bool quiet) { quiet_ = quiet; }

 private:
  void BuildActions();
  void BuildMenus();
  QAction* Add(const std::string& name, const QString& text,
               std::function<void()> run, const QKeySequence& keys = {});
  // Runs a tool; its failures become a message, never an exception.
  void RunTool(const std::function<std::string()>& tool);
  void Report(const QString& what);
  void ShowPoint(int32_t point);
  void NewModel(HostModel model, const QString& title);

  // ViewHooks
  void CentreOn(int32_t point) override;
  void MarkPoint(int32_t point) override;
  void ZoomOnPoint(bool in, int32_t point) override;
  void ModelChanged() override;
  void StyleChanged() override;

  HostModel model_;
  PlanView* view_;
  QLabel* cursor_label_;
  QProgressBar* progress_;
  std::unique_ptr<StatusProgress> bar_;
  std::unique_ptr<ToolActions> tools_;
  std::map<std::string, QAction*> actions_;
  int32_t picked_point_ = 0;
  int32_t picked_polyline_ = 0;
  bool quiet_ = false;
  bool tool_running_ = false;
};

}  // namespace host
