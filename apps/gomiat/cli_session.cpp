#include "cli_session.h"

#include "cli_settings.h"
#include "cli_ui.h"
#include "frame/environment.h"
#include "platform/platform.h"

namespace gomiat {

namespace q = qdr2_Gomiat;

CliSession::CliSession(const Options& options)
    : log_(std::make_shared<SessionLog>()) {
  log_->echo = options.echo;
  log_->before_echo = options.before_echo;
  q::Environment::Factories f;
  auto log = log_;
  f.settings = [log] {
    return MakeWatchedSettings(
        [] { return q::MakeSqliteSettings(q::DefaultSettingsPath()); }, log);
  };
  f.numbers = q::MakeNumberTextService;
  f.colours = q::MakeColourService;
  f.sort = q::MakeSortService;
  f.files = q::MakeFileService;
  f.grid = q::MakeGridModel;
  f.clock = q::MakeSystemClock;
  if (options.interactive) {
    f.ui = [log] { return MakeRecordingUi(q::MakeUiBackendForProcess(), log); };
  } else {
    f.ui = [log] { return MakeAcceptingUi(log); };
  }
  previous_ = q::Environment::Install(
      std::make_shared<q::Environment>(std::move(f), options.component_folder));
}

CliSession::~CliSession() { q::Environment::Install(previous_); }

}  // namespace gomiat
