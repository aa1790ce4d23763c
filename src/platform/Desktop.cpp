#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace tavrel {

// Moves a window with the pointer for as long as the left button stays down,
// then lets go. A window manager asked to take over the move from a client
// (_NET_WM_MOVERESIZE) may miss the release of a button that was pressed
// before it took over, as openbox does, and leave the window stuck to the
// pointer; moving it here ends exactly with the button.
class WindowMover : public QObject {
public:
    void start(QWidget* window)
    {
        QWindow* handle = window->windowHandle();
        if (!handle || m_handle == handle)
            return;   // a move underway goes on
        stop();
        m_window = window;
        m_handle = handle;
        m_grab = QCursor::pos() - window->pos();
        // On the native window, which sees each pointer event once.
        handle->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto type = event->type();
        if (type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton) && m_window)
            m_window->move(mouse->globalPosition().toPoint() - m_grab);
        else if (!(mouse->buttons() & Qt::LeftButton))
            stop();
        return false;
    }

private:
    void stop()
    {
        if (m_handle)
            m_handle->removeEventFilter(this);
        m_handle = nullptr;
        m_window = nullptr;
    }

    QPointer<QWidget> m_window;
    QPointer<QWindow> m_handle;
    QPoint m_grab;
};

QtDesktop::QtDesktop()
    : m_mover(std::make_unique<WindowMover>())
{
}

QtDesktop::~QtDesktop() = default;

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
    // A Wayland client cannot place its window: there the compositor moves it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (QWindow* handle = window->windowHandle())
            handle->startSystemMove();
        return;
    }
    m_mover->start(window);
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
