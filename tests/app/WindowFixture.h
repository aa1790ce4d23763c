#pragma once

#include "app/Controls.h"
#include "app/Form1.h"
#include "menus/Menus.h"
#include "FixedVolumes.h"
#include "RecordingDesktop.h"
#include "ScriptedDialogs.h"
#include "platform/FileList.h"
#include "../QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tavrel::test {

// A main window whose program directory is a fresh temporary directory.
struct Window {
    QTemporaryDir programDir;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    FixedVolumes volumes;
    std::unique_ptr<form1> w;

    QString dir() const { return programDir.path() + QLatin1Char('/'); }
    QString iniPath() const { return dir() + QStringLiteral("tavrel.ini"); }

    void writeIni(const QByteArray& bytes) const
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(f.errorString());
        ASSERT_EQ(f.write(bytes), bytes.size()) << qPrintable(f.errorString());
        ASSERT_TRUE(f.flush()) << qPrintable(f.errorString());
    }
    QByteArray iniBytes() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Creates the window; with load, runs start-up as the program does.
    form1& open(bool load = true)
    {
        w = std::make_unique<form1>(ProgramFiles{dir(), dir() + QStringLiteral("TVRShell.pif")}, Platform{dialogs, desktop, volumes});
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

} // namespace tavrel::test
