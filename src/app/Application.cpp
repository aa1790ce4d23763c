#include "app/Application.h"

#include "app/Form1.h"
#include "paths/Paths.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace tavrel {

Application::Application(const QString& programDirectory)
    : m_window(std::make_unique<form1>(programDirectory, Platform{m_dialogs, m_desktop}))
{
    m_dialogs.setParent(m_window.get());
    m_window->Form_Load();
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

} // namespace tavrel
