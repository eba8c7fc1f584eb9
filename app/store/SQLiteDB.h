#pragma once
// The connection to one SQLite database file.
#include <sqlite3.h>
#include <string>

class SQLiteStatement;

class SQLiteDB
{
public:
    SQLiteDB() = default;
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes a connection that is open, then opens the file with the SQLite open flags.
    // Turns off waiting for the disk after writes (PRAGMA synchronous = OFF).
    bool OpenFile(const std::string& utf8Path, int flags);
    // True when there was no connection or it closed; a connection that cannot close is kept.
    bool Close();
    bool IsOpen() const { return m_handle != nullptr; }

    // Finalizes what the statement held, then prepares the text. A negative length means
    // up to the terminating NUL. SQLITE_MISUSE without a connection or text.
    int Prepare(SQLiteStatement& statement, const char* sqlText, int length = -1);
    // sqlite3_exec; SQLITE_MISUSE without a connection or text.
    int Execute(const char* sqlText, int (*callback)(void*, int, char**, char**) = nullptr,
                void* context = nullptr);
    // -1 without a connection.
    long long LastInsertRowId() const;
    // The connection's last error message ("" without a connection).
    std::string ErrorMessage() const;

    sqlite3* Handle() const { return m_handle; }

private:
    sqlite3* m_handle = nullptr;
};
