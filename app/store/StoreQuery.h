#pragma once
// The statement pattern shared by every table operation of the settings store: prepare one
// fixed SQL text, bind parameters by position, step, read columns, finalize. The first failure
// of an operation leaves one trace line naming the operation and SQLite's message; the caller
// holds the store lock for the whole life of the query.
#include "app/store/SQLiteDB.h"
#include "app/store/SQLiteStatement.h"

#include <deque>
#include <string>

class StoreQuery
{
public:
    StoreQuery(SQLiteDB& db, const char* operation, const char* sql);

    // Finalizes the current statement and prepares another on the same object.
    void Prepare(const char* sql);
    StoreQuery& Int(int value);
    // Converted to UTF-8 and kept alive until the next Prepare or the end of the query.
    StoreQuery& Text(const std::wstring& value);

    // Steps once; true when the result is OK, ROW or DONE.
    bool Write();
    // Steps; true while a row is available. A step that ends with an error is traced.
    bool NextRow();
    // The new row's id after a successful Write (0 after a failed one).
    int InsertedId(bool written) const;

    int ColumnInt(int index) { return m_statement.ColumnInt(index); }
    std::wstring ColumnText(int index);

    bool Failed() const { return m_failed; }

private:
    void Check(int rc, const char* what);

    SQLiteDB& m_db;
    const char* m_operation;
    SQLiteStatement m_statement;
    std::deque<std::string> m_texts;
    int m_index = 0;
    bool m_failed = false;
};
