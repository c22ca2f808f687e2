#pragma once
// Small databases made with SQL for the data-store tests.

#include "Classes/Core/DataStoreConnection.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace fixture {

// A fresh, empty folder for one test.
std::string freshFolder(const std::string& name);

SQLiteConnection open(const std::string& path);
// Runs SQL and fails the current test when it does not succeed.
void exec(sqlite3* db, const std::string& sql);
// One integer from a query (0 when no row).
long long scalar(sqlite3* db, const std::string& sql);
// A slow disk under the connection: each step of its statements waits that many milliseconds.
void slowDown(sqlite3* db, int millisecondsPerStep);

// The user database as the template ships it (the 3.0 schema, no version table).
void createUserTemplate(const std::string& path);
// A user database from before the 3.0 step.
void createUserDatabaseBefore3_0(const std::string& path);
// A small content database: chapters 1 and 2 (three verses each) in Arabic, translation 3
// (English), 10 (transliteration), their full-text tables, glyphs, division marks and audio tables.
void createContentDatabase(const std::string& path);

}  // namespace fixture

// A test with the program's databases opened through the application delegate: a bundle
// folder with the content database (the fixture's unless realContent) and the template, and
// a Documents folder of its own.
class StoreTest : public ::testing::Test {
protected:
    explicit StoreTest(bool realContent = false) : realContent_(realContent) {}
    void SetUp() override;
    void TearDown() override;
    sqlite3* user() const { return app->dbConnection(); }
    sqlite3* content() const { return app->dbConnectionStatic(); }

    std::unique_ptr<LumenoSDKAppDelegate> app;
    std::string bundle, documents;

private:
    bool realContent_;
};
