#include "app/Application.h"

#include "app/Form1.h"
#include "paths/Paths.h"
#include "platform/ReadOnce.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <unistd.h>

namespace tavrel {

Application::Application(const ProgramFiles& files)
{
    {
        // Creating the lists and loading the window each list the starting
        // folder; they share one reading of it.
        const ReadOnce once;
        m_window = std::make_unique<form1>(files, Platform{m_dialogs, m_desktop, m_volumes});
        m_dialogs.setParent(m_window.get());
        m_window->Form_Load();
    }
    // Centring is asked for where a window may place itself. A Wayland
    // compositor places new windows by its own rules and a client cannot
    // move itself there, so the window takes the place it is given.
    const bool placesItself = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (const QScreen* screen = m_window->screen(); screen && placesItself)
        m_window->move(screen->availableGeometry().center() - m_window->rect().center());
    m_window->show();
}

Application::~Application() = default;

QString programDirectory()
{
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

ProgramFiles programFiles()
{
    const QString dir = programDirectory();
    ProgramSurroundings found;
    found.programDirectory = dir;
    found.shellBesideProgram = QFileInfo::exists(shellBesideProgram(dir));
    found.shellInLibexec = QFileInfo::exists(shellInLibexec(dir));
    // The real permission check of this user, as a write would meet it.
    found.programDirectoryWritable = ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
    found.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    found.home = QDir::homePath();
    return locateProgramFiles(found);
}

} // namespace tavrel
