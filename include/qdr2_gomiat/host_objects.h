// Objects of the host that some tools receive as arguments.
#pragma once

namespace qdr2_Gomiat {

// The host's progress bar (the points editors drive it).
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual void SetMin(float v) = 0;
  virtual void SetMax(float v) = 0;
  virtual void SetValue(float v) = 0;
  virtual void SetVisible(bool v) = 0;
};

// A host window handed to the navigation tool; the component only keeps it.
class HostWindow {
 public:
  virtual ~HostWindow() = default;
};

}  // namespace qdr2_Gomiat
