#include "app/store/StoreQuery.h"

#include "platform/Text.h"
#include "platform/Trace.h"

StoreQuery::StoreQuery(SQLiteDB& db, const char* operation, const char* sql)
    : m_db(db), m_operation(operation)
{
    Prepare(sql);
}

void StoreQuery::Prepare(const char* sql)
{
    m_index = 0;
    Check(m_db.Prepare(m_statement, sql), "prepare");
    m_texts.clear();
}

void StoreQuery::Check(int rc, const char* what)
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return;
    if (m_failed) return; // the first failure explains the rest
    m_failed = true;
    platform::Trace(platform::TraceError, "settings store: %s: %s failed (%d): %s", m_operation, what, rc,
                    m_db.ErrorMessage().c_str());
}

StoreQuery& StoreQuery::Int(int value)
{
    Check(m_statement.BindInt(++m_index, value), "bind");
    return *this;
}

StoreQuery& StoreQuery::Text(const std::wstring& value)
{
    const std::string& utf8 = m_texts.emplace_back(platform::ToUtf8(value));
    Check(m_statement.BindText(++m_index, utf8.c_str(), static_cast<int>(utf8.size())), "bind");
    return *this;
}

bool StoreQuery::Write()
{
    int rc = m_statement.Step();
    Check(rc, "step");
    return rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE;
}

bool StoreQuery::NextRow()
{
    int rc = m_statement.Step();
    Check(rc, "step");
    return rc == SQLITE_ROW;
}

int StoreQuery::InsertedId(bool written) const
{
    if (!written) return 0;
    long long id = m_db.LastInsertRowId();
    return id > 0 && id <= 0x7FFFFFFF ? static_cast<int>(id) : 0;
}

std::wstring StoreQuery::ColumnText(int index)
{
    const char* text = m_statement.ColumnText(index);
    return text ? platform::FromUtf8(text) : std::wstring();
}
