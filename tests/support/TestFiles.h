#pragma once

// Whole files in and out, for every test: ASSERT_TRUE(writeFile(...)) reports the path and the error.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tavrel::test {

// Writes the bytes over the file, making its folder first.
inline ::testing::AssertionResult writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()
        && f.flush())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << qPrintable(path) << ": " << qPrintable(f.errorString());
}

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace tavrel::test
