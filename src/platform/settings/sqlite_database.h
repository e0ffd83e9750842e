// A small RAII layer over one SQLite connection for the settings store:
// every SQLite error becomes a Failure that names the file.
#pragma once

#include <optional>
#include <string>

#include "qdr2_gomiat/failure.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qdr2_Gomiat::settings {

class SqliteDatabase {
 public:
  // Opens (creating when missing) the file and its folder, in WAL mode with
  // a busy timeout, and makes sure the table exists.
  explicit SqliteDatabase(std::string path);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  const std::string& Path() const { return path_; }

  std::optional<std::string> Get(const std::string& app,
                                 const std::string& section,
                                 const std::string& key);
  // One value, committed on its own.
  void Put(const std::string& app, const std::string& section,
           const std::string& key, const std::string& value);

  // Several Puts committed together (a window's place and size). A
  // transaction opened inside another joins it.
  class Transaction {
   public:
    explicit Transaction(SqliteDatabase& db);
    ~Transaction();  // rolls back unless committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

   private:
    SqliteDatabase& db_;
    bool outer_ = false;  // this one began it and ends it
    bool open_ = true;
  };

 private:
  Failure Error(const char* what) const;
  [[noreturn]] void Fail(const char* what) const;
  void Exec(const char* sql);
  void UseWriteAheadLog();
  sqlite3_stmt* Prepare(const char* sql);

  std::string path_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* select_ = nullptr;
  sqlite3_stmt* upsert_ = nullptr;
  int depth_ = 0;  // open transactions
};

}  // namespace qdr2_Gomiat::settings
