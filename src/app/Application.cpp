#include "app/Application.h"

#include "app/Form1.h"
#include "paths/Paths.h"

#include <QCoreApplication>
#include <QScreen>

namespace tavrel {

Application::Application(const QString& programDirectory)
    : m_window(std::make_unique<form1>(programDirectory, Platform{m_dialogs, m_desktop}))
{
    m_dialogs.setParent(m_window.get());
    m_window->Form_Load();
    if (const QScreen* screen = m_window->screen())
        m_window->move(screen->availableGeometry().center() - m_window->rect().center());
    m_window->show();
}

Application::~Application() = default;

QString programDirectory()
{
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

} // namespace tavrel
