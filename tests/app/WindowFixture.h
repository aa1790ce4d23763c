#pragma once

#include "app/Controls.h"
#include "app/Form1.h"
#include "menus/Menus.h"
#include "FixedVolumes.h"
#include "RecordingDesktop.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "../QtPrinters.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace tavrel::test {

// Starts a shell program as Tavrel does, in the data directory, and waits for it unless told; returns what it printed.
inline QByteArray runShell(QProcess& p, const QString& program, const QString& dataDir, const QProcessEnvironment& env,
                           const QString& sh = "sh", bool wait = true, const QStringList& arguments = {})
{
    QFile::remove(dataDir + "received.txt");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dataDir);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(sh, QStringList{program} + arguments);
    EXPECT_TRUE(p.waitForStarted());
    if (wait) {
        EXPECT_TRUE(p.waitForFinished(10000));
    }
    return p.readAllStandardOutput();
}

// The arguments the stand-in emulator wrote to the data directory, one a line, waited for up to waitMs.
inline QStringList received(const QString& dataDir, int waitMs = 0)
{
    QElapsedTimer t;
    for (t.start(); !QFile::exists(dataDir + "received.txt") && t.elapsed() < waitMs;)
        QThread::msleep(50);
    const QByteArray bytes = readFile(dataDir + "received.txt");
    return bytes.isEmpty() ? QStringList{"<the emulator did not run>"} : QString::fromUtf8(bytes.chopped(1)).split(u'\n');
}

// A folder tree of archives and pictures made fresh for each test.
struct Tree {
    QTemporaryDir tmp;
    QString root = QDir(tmp.path()).canonicalPath();

    QString path(const QString& relative) const { return root + u'/' + relative; }
    // The record name of a path under the tree: lower case, links resolved.
    QString gamePath(const QString& relative) const { return path(relative).toLower(); }
    void file(const QString& relative, const QByteArray& bytes = "PK") const { ASSERT_TRUE(writeFile(path(relative), bytes)); }
    void dir(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(path(relative))) << qPrintable(relative); }
    void picture(const QString& relative, const char* format, QColor colour, QSize size = {320, 240}) const
    {
        if (qstrcmp(format, "GIF") == 0) {
            // Qt reads GIF but cannot write it: a one-pixel GIF whose first palette entry is the colour.
            const char rgb[] = {char(colour.red()), char(colour.green()), char(colour.blue())};
            return file(relative, "GIF89a" + QByteArray::fromHex("01000100800000") + QByteArray(rgb, 3)
                                      + QByteArray::fromHex("0000002c00000000010001000002024401003b"));
        }
        dir(QFileInfo(relative).path());
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path(relative), format)) << qPrintable(relative);
    }
};

// A main window whose program directory is a fresh temporary directory.
struct Window {
    QTemporaryDir programDir;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    FixedVolumes volumes;
    std::unique_ptr<form1> w;

    QString dir() const { return programDir.path() + u'/'; }
    QString iniPath() const { return dir() + "tavrel.ini"; }
    void writeIni(const QByteArray& bytes) const { ASSERT_TRUE(writeFile(iniPath(), bytes)); }
    QByteArray iniBytes() const { return readFile(iniPath()); }

    // Creates the window; with load, runs start-up as the program does. Boxes go to the script unless told.
    form1& open(bool load = true, Dialogs* boxes = nullptr)
    {
        w = std::make_unique<form1>(ProgramFiles{dir(), dir() + "TVRShell.pif"},
                                    Platform{boxes ? *boxes : dialogs, desktop, volumes});
        if (load)
            w->Form_Load();
        return *w;
    }
};

// The names a file list shows, in order.
inline QStringList listedFiles(const FileList* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i);
    return out;
}

// Selects a listed file as the keyboard would, raising the list's click.
inline void selectFile(FileList* list, const QString& name)
{
    list->selectRow(int(listedFiles(list).indexOf(name)));
    ASSERT_EQ(list->fileName(), name);
}

// Clicks a listed file with the mouse, as the user does.
inline void clickFile(FileList* list, const QString& name, Qt::KeyboardModifiers modifiers = {})
{
    const int row = int(listedFiles(list).indexOf(name));
    ASSERT_GE(row, 0) << qPrintable(name);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(list->model()->index(row, 0)).center());
}

// A shown window over a fresh tree, its directory list on the tree's "roms".
class WindowOnTree : public ::testing::Test {
protected:
    void files(std::initializer_list<const char*> names) const { for (const char* name : names) tree.file(QString::fromUtf8(name)); }
    void openOnRoms(const QString& ini = {}, Dialogs* boxes = nullptr)
    {
        if (!ini.isEmpty())
            win.writeIni(ini.toUtf8());
        win.open(true, boxes).show();
        ASSERT_TRUE(w().Dir1->setPath(tree.path("roms")));
    }
    form1& w() { return *win.w; }
    Menus& menus() { return *win.w->menus(); }

    Tree tree;
    Window win;
};

} // namespace tavrel::test
