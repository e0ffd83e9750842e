#include "platform/settings/sqlite_database.h"

#include <sqlite3.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::settings {

namespace {

// Long enough to wait out another host process saving a window place, short
// enough that a stuck one does not freeze the user interface for long.
constexpr int kBusyTimeoutMs = 4000;

// Names compare as the host's registry does: without regard to case.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS settings ("
    " app TEXT NOT NULL COLLATE NOCASE,"
    " section TEXT NOT NULL COLLATE NOCASE,"
    " key TEXT NOT NULL COLLATE NOCASE,"
    " value TEXT NOT NULL,"
    " PRIMARY KEY (app, section, key)) WITHOUT ROWID";
constexpr const char* kSelect =
    "SELECT value FROM settings WHERE app = ?1 AND section = ?2 AND key = ?3";
constexpr const char* kUpsert =
    "INSERT INTO settings (app, section, key, value) VALUES (?1, ?2, ?3, ?4)"
    " ON CONFLICT (app, section, key) DO UPDATE SET value = excluded.value";

int32_t FailureNumber(int sqlite_code, int system_errno) {
  // A full disk shows as SQLITE_FULL only on some paths; opening the
  // journal or growing its index on a full disk is an I/O error.
  if (system_errno == ENOSPC || system_errno == EDQUOT || system_errno == EFBIG)
    return err::kDiskFull;
  switch (sqlite_code & 0xFF) {
    case SQLITE_FULL:
      return err::kDiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return err::kPermissionDenied;
    default:
      return err::kPathAccess;
  }
}

// Leaves a statement ready for its next use whatever happens.
class StatementUse {
 public:
  explicit StatementUse(sqlite3_stmt* s) : s_(s) {}
  ~StatementUse() {
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
  }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;

 private:
  sqlite3_stmt* s_;
};

void BindText(sqlite3_stmt* s, int index, const std::string& text) {
  sqlite3_bind_text64(s, index, text.data(), text.size(), SQLITE_TRANSIENT,
                      SQLITE_UTF8);
}

}  // namespace

SqliteDatabase::SqliteDatabase(std::string path) : path_(std::move(path)) {
  if (path_.empty())
    throw Failure(err::kBadFileName,
                  "Nombre de archivo de configuración vacío");
  const std::filesystem::path parent =
      std::filesystem::path(path_).parent_path();
  if (!parent.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    if (ec)
      throw Failure(err::kPathNotFound, RuntimeDescription(err::kPathNotFound) +
                                            ": " + parent.string() + " (" +
                                            ec.message() + ")");
  }
  const int rc = sqlite3_open_v2(
      path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  try {
    if (rc != SQLITE_OK) Fail("no se puede abrir");
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    if (sqlite3_db_readonly(db_, "main") == 1)
      throw Failure(err::kPermissionDenied,
                    RuntimeDescription(err::kPermissionDenied) +
                        ": el archivo de configuración " + path_ +
                        " es de solo lectura");
    UseWriteAheadLog();
    // Every commit reaches the disk before SaveSetting returns.
    Exec("PRAGMA synchronous = FULL");
    Exec(kSchema);
    select_ = Prepare(kSelect);
    upsert_ = Prepare(kUpsert);
  } catch (...) {
    sqlite3_finalize(select_);
    sqlite3_finalize(upsert_);
    sqlite3_close_v2(db_);
    throw;
  }
}

SqliteDatabase::~SqliteDatabase() {
  sqlite3_finalize(select_);
  sqlite3_finalize(upsert_);
  sqlite3_close_v2(db_);
}

Failure SqliteDatabase::Error(const char* what) const {
  const int code = db_ != nullptr ? sqlite3_extended_errcode(db_) : 0;
  const int system_errno = db_ != nullptr ? sqlite3_system_errno(db_) : 0;
  const std::string detail =
      db_ != nullptr ? sqlite3_errmsg(db_) : "sin memoria";
  const int32_t number = FailureNumber(code, system_errno);
  return Failure(number, RuntimeDescription(number) +
                             ": archivo de configuración " + path_ + " (" +
                             what + ": " + detail + ")");
}

void SqliteDatabase::Fail(const char* what) const { throw Error(what); }

void SqliteDatabase::Exec(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    Fail("no se puede usar");
}

void SqliteDatabase::UseWriteAheadLog() {
  // Switching the journal mode answers "locked" at once while another
  // process opens or closes the same file: SQLite does not call the busy
  // handler there. The mode is kept in the file, so once another process
  // has set it there is nothing left to do; otherwise wait and try again.
  constexpr int kPauseMs = 5;
  for (int waited = 0;; waited += kPauseMs) {
    const int rc = sqlite3_exec(db_, "PRAGMA journal_mode = WAL", nullptr,
                                nullptr, nullptr);
    if (rc == SQLITE_OK) return;
    if ((rc & 0xFF) != SQLITE_BUSY || waited >= kBusyTimeoutMs)
      Fail("no se puede usar");
    sqlite3_sleep(kPauseMs);
  }
}

sqlite3_stmt* SqliteDatabase::Prepare(const char* sql) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &s,
                         nullptr) != SQLITE_OK)
    Fail("no se puede preparar");
  return s;
}

std::optional<std::string> SqliteDatabase::Get(const std::string& app,
                                               const std::string& section,
                                               const std::string& key) {
  StatementUse use(select_);
  BindText(select_, 1, app);
  BindText(select_, 2, section);
  BindText(select_, 3, key);
  const int rc = sqlite3_step(select_);
  if (rc == SQLITE_DONE) return std::nullopt;
  if (rc != SQLITE_ROW) Fail("no se puede leer");
  const auto* text =
      reinterpret_cast<const char*>(sqlite3_column_text(select_, 0));
  const int bytes = sqlite3_column_bytes(select_, 0);
  if (text == nullptr) return std::string();
  return std::string(text, static_cast<size_t>(bytes));
}

void SqliteDatabase::Put(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& value) {
  StatementUse use(upsert_);
  BindText(upsert_, 1, app);
  BindText(upsert_, 2, section);
  BindText(upsert_, 3, key);
  BindText(upsert_, 4, value);
  if (sqlite3_step(upsert_) != SQLITE_DONE) Fail("no se puede guardar");
}

SqliteDatabase::Transaction::Transaction(SqliteDatabase& db)
    : db_(db), outer_(db.depth_ == 0) {
  // Takes the write lock at once, so the busy timeout covers the wait and
  // what is read inside cannot change before the writes.
  if (outer_) db_.Exec("BEGIN IMMEDIATE");
  ++db_.depth_;
}

SqliteDatabase::Transaction::~Transaction() {
  if (!open_) return;
  --db_.depth_;
  if (outer_) sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteDatabase::Transaction::Commit() {
  if (!open_) return;
  open_ = false;
  --db_.depth_;
  if (!outer_) return;
  if (sqlite3_exec(db_.db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    // A commit that fails (a full disk) may leave the transaction open.
    const Failure f = db_.Error("no se puede guardar");
    sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw f;
  }
}

}  // namespace qdr2_Gomiat::settings
