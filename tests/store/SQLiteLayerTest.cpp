// The thin SQLite wrappers: misuse results without a connection, re-preparing, transactions.
#include "TempFolder.h"
#include "app/store/SQLiteAutoTransaction.h"
#include "app/store/SQLiteDB.h"
#include "app/store/SQLiteStatement.h"

#include <gtest/gtest.h>

namespace {

int CountRows(SQLiteDB& db, const char* table)
{
    SQLiteStatement st;
    std::string sql = std::string("SELECT count(*) FROM ") + table;
    if (db.Prepare(st, sql.c_str()) != SQLITE_OK || st.Step() != SQLITE_ROW) return -1;
    return st.ColumnInt(0);
}

} // namespace

TEST(SQLiteLayer, EveryCallWithoutConnectionIsMisuse)
{
    SQLiteDB db;
    SQLiteStatement st;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Prepare(st, "SELECT 1"), SQLITE_MISUSE);
    EXPECT_FALSE(st.IsPrepared());
    EXPECT_EQ(db.Execute("SELECT 1"), SQLITE_MISUSE);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_EQ(st.BindInt(1, 5), SQLITE_MISUSE);
    EXPECT_EQ(st.BindText(1, "x", 1), SQLITE_MISUSE);
    EXPECT_EQ(st.Step(), SQLITE_MISUSE);
    EXPECT_EQ(st.ColumnInt(0), 0);
    EXPECT_EQ(st.ColumnText(0), nullptr);

    TempFolder temp;
    ASSERT_TRUE(db.OpenFile(temp.File("a.db"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    EXPECT_EQ(db.Prepare(st, nullptr), SQLITE_MISUSE);
    EXPECT_EQ(db.Execute(nullptr), SQLITE_MISUSE);
}

TEST(SQLiteLayer, OpenFailsWithoutFolderAndReopenReplacesConnection)
{
    TempFolder temp;
    SQLiteDB db;
    EXPECT_FALSE(db.OpenFile(temp.File("missing/a.db"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    EXPECT_FALSE(db.IsOpen());

    ASSERT_TRUE(db.OpenFile(temp.File("a.db"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    ASSERT_EQ(db.Execute("CREATE TABLE t (v INTEGER)"), SQLITE_OK);
    // Opening another file closes the first connection.
    ASSERT_TRUE(db.OpenFile(temp.File("b.db"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    EXPECT_EQ(CountRows(db, "t"), -1);
    SQLiteStatement synchronous;
    ASSERT_EQ(db.Prepare(synchronous, "PRAGMA synchronous"), SQLITE_OK);
    ASSERT_EQ(synchronous.Step(), SQLITE_ROW);
    EXPECT_EQ(synchronous.ColumnInt(0), 0); // OFF
}

TEST(SQLiteLayer, PreparingAgainFinalizesTheFirstStatement)
{
    TempFolder temp;
    SQLiteDB db;
    ASSERT_TRUE(db.OpenFile(temp.File("a.db"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    ASSERT_EQ(db.Execute("CREATE TABLE t (v INTEGER, s TEXT)"), SQLITE_OK);
    SQLiteStatement st;
    ASSERT_EQ(db.Prepare(st, "INSERT INTO t VALUES (?, ?)"), SQLITE_OK);
    std::string text = "héllo";
    EXPECT_EQ(st.BindInt(1, 7), SQLITE_OK);
    EXPECT_EQ(st.BindText(2, text.c_str(), static_cast<int>(text.size())), SQLITE_OK);
    EXPECT_EQ(st.Step(), SQLITE_DONE);
    EXPECT_EQ(db.LastInsertRowId(), 1);
    ASSERT_EQ(db.Prepare(st, "SELECT v, s FROM t"), SQLITE_OK);
    ASSERT_EQ(st.Step(), SQLITE_ROW);
    EXPECT_EQ(st.ColumnInt(0), 7);
    EXPECT_STREQ(st.ColumnText(1), "héllo");
    // With every statement finalized the connection can close.
    EXPECT_EQ(db.Prepare(st, nullptr), SQLITE_MISUSE);
    EXPECT_FALSE(st.IsPrepared());
    EXPECT_TRUE(db.Close());
    EXPECT_FALSE(db.IsOpen());
}

TEST(SQLiteLayer, AutoTransaction)
{
    TempFolder temp;
    SQLiteDB db;
    ASSERT_TRUE(db.OpenFile(temp.File("a.db"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    ASSERT_EQ(db.Execute("CREATE TABLE t (v INTEGER)"), SQLITE_OK);
    {
        SQLiteAutoTransaction transaction(&db);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin()); // already begun by the constructor
        EXPECT_EQ(sqlite3_get_autocommit(db.Handle()), 0);
        db.Execute("INSERT INTO t VALUES (1)");
        EXPECT_TRUE(transaction.Commit());
        EXPECT_FALSE(transaction.IsActive());
        EXPECT_NE(sqlite3_get_autocommit(db.Handle()), 0);
        // Begin again after a commit; the destructor ends it.
        EXPECT_TRUE(transaction.Begin());
        db.Execute("INSERT INTO t VALUES (2)");
    }
    EXPECT_NE(sqlite3_get_autocommit(db.Handle()), 0);
    EXPECT_EQ(CountRows(db, "t"), 2);

    SQLiteAutoTransaction none(nullptr);
    EXPECT_FALSE(none.IsActive());
    EXPECT_FALSE(none.Begin());
    EXPECT_FALSE(none.Commit());

    SQLiteDB closed;
    SQLiteAutoTransaction onClosed(&closed);
    EXPECT_TRUE(onClosed.IsActive());
    EXPECT_FALSE(onClosed.Commit());
    EXPECT_FALSE(onClosed.IsActive());
    EXPECT_FALSE(onClosed.Begin());
    EXPECT_TRUE(onClosed.IsActive());
}
