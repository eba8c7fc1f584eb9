#include "app/store/SQLiteDB.h"

#include "app/store/SQLiteStatement.h"

SQLiteDB::~SQLiteDB()
{
    if (m_handle) {
        sqlite3_interrupt(m_handle);
        Close();
    }
}

bool SQLiteDB::OpenFile(const std::string& utf8Path, int flags)
{
    if (m_handle) {
        sqlite3_interrupt(m_handle);
        Close();
    }
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(utf8Path.c_str(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        // A failed open may still hand out a handle that must be released.
        sqlite3_close(handle);
        return false;
    }
    m_handle = handle;
    // The desktop program and korvane-cli may use the same file at once: wait briefly for the
    // other's write to end instead of failing at once.
    sqlite3_busy_timeout(m_handle, 1000);
    Execute("PRAGMA synchronous = OFF; ");
    return true;
}

bool SQLiteDB::Close()
{
    if (!m_handle) return true;
    if (sqlite3_close(m_handle) != SQLITE_OK) return false;
    m_handle = nullptr;
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sqlText, int length)
{
    statement.Finalize();
    if (!m_handle || !sqlText) return SQLITE_MISUSE;
    return sqlite3_prepare_v2(m_handle, sqlText, length, &statement.m_handle, nullptr);
}

int SQLiteDB::Execute(const char* sqlText, int (*callback)(void*, int, char**, char**), void* context)
{
    if (!m_handle || !sqlText) return SQLITE_MISUSE;
    return sqlite3_exec(m_handle, sqlText, callback, context, nullptr);
}

long long SQLiteDB::LastInsertRowId() const
{
    if (!m_handle) return -1;
    return sqlite3_last_insert_rowid(m_handle);
}

std::string SQLiteDB::ErrorMessage() const
{
    if (!m_handle) return "no connection";
    const char* message = sqlite3_errmsg(m_handle);
    return message ? message : "";
}
