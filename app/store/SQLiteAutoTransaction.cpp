#include "app/store/SQLiteAutoTransaction.h"

#include "app/store/SQLiteDB.h"

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : m_db(db)
{
    if (!m_db) return;
    if (m_db->IsOpen()) m_db->Execute("BEGIN");
    m_active = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction()
{
    if (m_active && m_db) m_db->Execute("END");
    m_active = false;
}

bool SQLiteAutoTransaction::Begin()
{
    if (m_active || !m_db) return false;
    m_active = true;
    if (!m_db->IsOpen()) return false;
    return m_db->Execute("BEGIN") == SQLITE_OK;
}

bool SQLiteAutoTransaction::Commit()
{
    if (!m_db) return false;
    m_active = false;
    if (!m_db->IsOpen()) return false;
    return m_db->Execute("END") == SQLITE_OK;
}
