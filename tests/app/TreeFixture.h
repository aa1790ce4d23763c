#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavrel::test {

// A folder tree of archives and pictures made fresh for each test.
struct Tree {
    QTemporaryDir tmp;
    QString root = QDir(tmp.path()).canonicalPath();

    QString path(const QString& relative) const { return root + QLatin1Char('/') + relative; }
    // The record name of a path under the tree: lower case, links resolved.
    QString gamePath(const QString& relative) const { return path(relative).toLower(); }

    void file(const QString& relative, const QByteArray& bytes = "PK") const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relative)).path())) << qPrintable(path(relative));
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(f.errorString());
        ASSERT_EQ(f.write(bytes), bytes.size()) << qPrintable(f.errorString());
        ASSERT_TRUE(f.flush()) << qPrintable(f.errorString());
    }
    void dir(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(path(relative))) << qPrintable(path(relative)); }
    void picture(const QString& relative, const char* format, QColor colour, QSize size = {320, 240}) const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relative)).path())) << qPrintable(path(relative));
        if (qstrcmp(format, "GIF") == 0) {
            // Qt reads GIF but cannot write it: a one-pixel GIF whose first palette entry is the colour.
            QByteArray gif = QByteArray("GIF89a") + QByteArray::fromHex("01000100800000");
            gif += char(colour.red());
            gif += char(colour.green());
            gif += char(colour.blue());
            gif += QByteArray::fromHex("0000002c00000000010001000002024401003b");
            file(relative, gif);
            return;
        }
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path(relative), format)) << qPrintable(path(relative));
    }
};

} // namespace tavrel::test
