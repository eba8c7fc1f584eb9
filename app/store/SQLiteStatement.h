#pragma once
// One prepared SQLite statement. Prepared by SQLiteDB::Prepare; finalized when prepared
// again or destroyed. Every call on an empty statement returns SQLITE_MISUSE (21).
#include <string>

struct sqlite3_stmt;

class SQLiteStatement
{
public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // Binds by position, counting from 1.
    int BindInt(int index, int value);
    // The text is not copied: the caller keeps it alive until the statement has been stepped.
    int BindText(int index, const char* utf8Text, int byteLength);
    int Step();
    int ColumnInt(int index);
    // UTF-8, or null (no statement, NULL column).
    const char* ColumnText(int index);

    // Finalizes the statement; SQLITE_OK when there was none.
    int Finalize();
    bool IsPrepared() const { return m_handle != nullptr; }

private:
    friend class SQLiteDB;
    sqlite3_stmt* m_handle = nullptr;
};
