// Every tool of the component as the host calls it: the class created by
// name, the model's arrays handed over by reference, the flags and events
// read back into the model and the view. No Qt here; the view is reached
// through ViewHooks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_model.h"

namespace host {

class ViewHooks {
 public:
  virtual ~ViewHooks() = default;
  virtual void CentreOn(int32_t point) = 0;
  virtual void MarkPoint(int32_t point) = 0;
  virtual void ZoomOnPoint(bool in, int32_t point) = 0;
  virtual void ModelChanged() = 0;  // geometry: the index is rebuilt
  virtual void StyleChanged() = 0;  // layers only
};

// One entry of the component's error history.
struct ErrorEntry {
  int32_t number = 0;
  std::string when, text, component;
};
// The entries the component logged, from the settings store in force.
std::vector<ErrorEntry> ReadErrorHistory();

class ToolActions : private q::c_editP_Events, private q::c_EditorPun_Events {
 public:
  // `bar` is the host's progress bar, `window` the host window handed to
  // the navigation bar.
  ToolActions(HostModel& model, ViewHooks& view, q::ProgressBar* bar,
              q::HostWindow* window);
  ~ToolActions() override;

  // Each returns a line for the status bar.
  std::string RunSketch(bool show_code_table = true);
  std::string EditPoints(bool excel);
  std::string EditPointsCompact();
  std::string EditLayers();
  std::string EditDrawings();
  std::string PickLineStyle(int32_t polyline);
  std::string Navigate();
  std::string EditPoint(int32_t point);
  std::string ShowEntities();

  // The point list was replaced outside the tools (a survey or a project
  // opened).
  void PointsReplaced() { ++points_version_; }

 private:
  void EnfocaPunto(int32_t& Name, int32_t& nPtos, q::DblArray& X,
                   q::DblArray& Y, q::DblArray& Z, q::StrArray& Nombre,
                   q::StrArray& Codigo, q::IntArray& CapaPuntos) override;
  void Zoom(bool& amplia, int32_t& punto) override;
  void DibujaPunto(int32_t& punto) override;
  void AfterPointsRewritten(const std::vector<std::string>& old_layers);

  HostModel& model_;
  ViewHooks& view_;
  q::ProgressBar* bar_;
  q::HostWindow* window_;
  // The navigation bar keeps its window, and so its place and search
  // panel, from one opening to the next.
  // It is made anew once the point list has been rewritten: on its next
  // opening it stores the fields it last showed at that point's number,
  // which by then may be another point.
  std::unique_ptr<q::c_editP> navigation_;
  int32_t navigation_point_ = 0;
  uint64_t points_version_ = 0, navigation_version_ = 0;
};

}  // namespace host
