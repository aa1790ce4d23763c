#pragma once

// What the settings store's tests share: a directory's listing, and a fresh directory with the
// settings file's path in it.

#include "../QtPrinters.h"
#include "../support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using tavrel::test::readFile;
using tavrel::test::writeFile;

[[maybe_unused]] QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// In memory where it can be: every write is flushed to disk, which on a busy disk turns the tests that
// write hundreds of times from a second into tens. Locking and patching do not depend on the file system.
class SettingsDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("tavrel.ini"));
    }
    QTemporaryDir dir {(QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath())
                       + QStringLiteral("/tavrel-test-XXXXXX")};
    QString path;
};

} // namespace
