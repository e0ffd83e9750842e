// A hand-built environment for tests of the settings store and the error
// log: a UI backend that records message boxes and has a screen of a chosen
// size, and a fixed clock. Put in force for the scope of a FakeEnvironment
// and the previous environment restored afterwards.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/form.h"
#include "frame/ui/ui_backend.h"
#include "support/test_support.h"

namespace qdr2_Gomiat::test_support {

struct ShownMessage {
  std::string prompt;
  int32_t flags = 0;
  std::string title;
};

class RecordingUi final : public ui::UiBackend {
 public:
  RecordingUi(std::vector<ShownMessage>& shown, int32_t& do_events,
              int32_t screen_width, int32_t screen_height)
      : shown_(shown),
        do_events_(do_events),
        width_(screen_width),
        height_(screen_height) {}
  void ShowModal(ui::Form&) override {}
  int32_t MsgBox(const std::string& prompt, int32_t flags,
                 const std::string& title) override {
    shown_.push_back({prompt, flags, title});
    return ui::mb::kOk;
  }
  void DoEvents() override { ++do_events_; }
  void SetMousePointer(ui::MousePointer p) override { pointer_ = p; }
  ui::MousePointer GetMousePointer() const override { return pointer_; }
  int32_t ScreenWidth() const override { return width_; }
  int32_t ScreenHeight() const override { return height_; }

 private:
  std::vector<ShownMessage>& shown_;
  int32_t& do_events_;
  int32_t width_, height_;
  ui::MousePointer pointer_ = ui::MousePointer::Default;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(std::tm now) : now_(now) {}
  std::tm Now() override { return now_; }

 private:
  std::tm now_;
};

struct FakeOptions {
  std::string component_folder = "/opt/landrix/qdr2";
  int32_t screen_width = 1920 * 15;  // twips at 96 dpi
  int32_t screen_height = 1080 * 15;
  std::tm now{};
};

class FakeEnvironment {
 public:
  // `settings` makes the environment's settings store.
  FakeEnvironment(std::function<std::unique_ptr<SettingsStore>()> settings,
                  const FakeOptions& options = {})
      : scope_(Factories(std::move(settings), options),
               options.component_folder) {}
  FakeEnvironment(const FakeEnvironment&) = delete;
  FakeEnvironment& operator=(const FakeEnvironment&) = delete;

  std::vector<ShownMessage> shown;
  int32_t do_events = 0;

 private:
  Environment::Factories Factories(
      std::function<std::unique_ptr<SettingsStore>()> settings,
      const FakeOptions& options) {
    Environment::Factories f;
    f.settings = std::move(settings);
    f.ui = [this, options] {
      return std::make_unique<RecordingUi>(
          shown, do_events, options.screen_width, options.screen_height);
    };
    f.clock = [options] { return std::make_unique<FixedClock>(options.now); };
    return f;
  }

  // Last, so the previous environment is back before `shown` goes.
  ScopedEnvironment scope_;
};

}  // namespace qdr2_Gomiat::test_support
