#pragma once
// A scoped transaction: BEGIN on construction, END on Commit() or destruction.
class SQLiteDB;

class SQLiteAutoTransaction
{
public:
    explicit SQLiteAutoTransaction(SQLiteDB* db);
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    // False when already active, without a database or with a closed connection.
    bool Begin();
    // Ends the transaction; false without a database, with a closed connection or when END fails.
    bool Commit();
    bool IsActive() const { return m_active; }

private:
    SQLiteDB* m_db = nullptr;
    bool m_active = false;
};
