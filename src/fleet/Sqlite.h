#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qm::fleet {

// A failed database call: the statement and SQLite's message.
class SqliteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One prepared statement on a connection; finalized when it goes. Bind* take 1-based
// indices; Step is true while a row is there. Every failure throws SqliteError.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, std::string_view bytes);
    SqliteStatement& BindNull(int index);
    bool Step();
    void Run(); // steps to the end
    void Reset();

    int64_t Int(int column) const;
    std::string Text(int column) const; // "" for NULL
    bool IsNull(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// Runs statements that take no parameters (schema, pragmas, BEGIN/COMMIT).
void SqliteExec(sqlite3* db, std::string_view sql);

} // namespace qm::fleet
