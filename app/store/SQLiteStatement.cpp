#include "app/store/SQLiteStatement.h"

#include <sqlite3.h>

SQLiteStatement::~SQLiteStatement()
{
    Finalize();
}

int SQLiteStatement::Finalize()
{
    if (!m_handle) return SQLITE_OK;
    int rc = sqlite3_finalize(m_handle);
    // sqlite3_finalize always releases the statement; its result only repeats the last step's error.
    m_handle = nullptr;
    return rc;
}

int SQLiteStatement::BindInt(int index, int value)
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_bind_int(m_handle, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8Text, int byteLength)
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_bind_text(m_handle, index, utf8Text ? utf8Text : "", utf8Text ? byteLength : 0,
                             SQLITE_STATIC);
}

int SQLiteStatement::Step()
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_step(m_handle);
}

int SQLiteStatement::ColumnInt(int index)
{
    if (!m_handle) return 0;
    return sqlite3_column_int(m_handle, index);
}

const char* SQLiteStatement::ColumnText(int index)
{
    if (!m_handle) return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(m_handle, index));
}
