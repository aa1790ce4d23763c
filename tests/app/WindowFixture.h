#pragma once

#include "app/Controls.h"
#include "app/Form1.h"
#include "menus/Menus.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "../QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace tavrel::test {

// A main window whose program directory is a fresh temporary directory.
struct Window {
    QTemporaryDir programDir;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    std::unique_ptr<form1> w;

    QString dir() const { return programDir.path() + QLatin1Char('/'); }
    QString iniPath() const { return dir() + QStringLiteral("tavrel.ini"); }

    void writeIni(const QByteArray& bytes) const
    {
        QFile f(iniPath());
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QByteArray iniBytes() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Creates the window; with load, runs start-up as the program does.
    form1& open(bool load = true)
    {
        w = std::make_unique<form1>(dir(), Platform{dialogs, desktop});
        if (load)
            w->Form_Load();
        return *w;
    }
};

} // namespace tavrel::test
