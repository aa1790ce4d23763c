#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace tavrel {

void QtDesktop::openUrl(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url));
}

bool QtDesktop::startDetached(const QString& program, const QString& workingDirectory, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    return process.startDetached();
}

void QtDesktop::startWindowMove(QWidget* window)
{
    if (QWindow* handle = window->windowHandle())
        handle->startSystemMove();
}

void QtDesktop::minimize(QWidget* window)
{
    window->showMinimized();
}

void QtDesktop::exitProgram()
{
    // Nothing is saved or asked on exit: leave the event loop and let main() return.
    QCoreApplication::exit(0);
}

} // namespace tavrel
