#include "app/Look.h"

#include <QAbstractButton>
#include <QEvent>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace tavrel::look {

namespace {
QFont make(const QString& family, double points, bool bold, bool italic)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QString resource(const QString& name, const char* suffix)
{
    return QStringLiteral(":/%1%2.png").arg(name, QLatin1String(suffix));
}

// Calls its function again when the watched widget lands on a screen of another ratio.
class RatioWatcher : public QObject {
public:
    RatioWatcher(QWidget* widget, std::function<void(qreal)> apply)
        : QObject(widget), m_widget(widget), m_apply(std::move(apply))
    {
        widget->installEventFilter(this);
        if (widget->window() != widget)
            widget->window()->installEventFilter(this);
        update();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The window has its native window, and so its screen, once shown; from then on it says when
        // it moves to another screen, hidden controls included.
        if (event->type() == QEvent::Show) {
            followScreen();
            update();
        }
        return false;
    }

private:
    void followScreen()
    {
        QWindow* handle = m_widget->window()->windowHandle();
        if (!handle || handle == m_handle)
            return;
        m_handle = handle;
        connect(handle, &QWindow::screenChanged, this, &RatioWatcher::update, Qt::DirectConnection);
    }

    void update()
    {
        const qreal ratio = m_widget->devicePixelRatioF();
        if (ratio == m_ratio)
            return;
        m_ratio = ratio;
        m_apply(ratio);
    }

    QWidget* m_widget;
    std::function<void(qreal)> m_apply;
    QPointer<QWindow> m_handle;
    qreal m_ratio = 0;
};

QCursor cursor(const QString& name, qreal ratio, int hotX, int hotY)
{
    // The hot spot is given in logical pixels, whatever the picture's density.
    return QCursor(artworkPixmap(name, ratio), hotX, hotY);
}
} // namespace

QFont comic(double points, bool bold, bool italic)
{
    return make(QStringLiteral("Comic Sans MS"), points, bold, italic);
}

QFont sans(double points, bool bold, bool italic)
{
    return make(QStringLiteral("Sans Serif"), points, bold, italic);
}

QPixmap artworkPixmap(const QString& name, qreal ratio)
{
    // The plain drawing where a pixel is a pixel; the double one from ratio 2
    // up; in between the double one shrunk to the pixels it covers, which
    // keeps more of its detail than the plain one blown up would.
    if (ratio <= 1)
        return QPixmap(resource(name, ""));
    QPixmap twice(resource(name, "@2x"));
    twice.setDevicePixelRatio(2);
    if (ratio >= 2)
        return twice;
    const QSize logical = twice.deviceIndependentSize().toSize();
    QPixmap shrunk = twice.scaled(QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio)),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shrunk.setDevicePixelRatio(ratio);
    return shrunk;
}

void followPixelRatio(QWidget* widget, std::function<void(qreal)> apply)
{
    new RatioWatcher(widget, std::move(apply));
}

void showArtwork(QAbstractButton* button, const QString& name)
{
    followPixelRatio(button, [button, name](qreal ratio) { button->setIcon(artworkPixmap(name, ratio)); });
}

void showArtwork(QLabel* label, const QString& name)
{
    followPixelRatio(label, [label, name](qreal ratio) { label->setPixmap(artworkPixmap(name, ratio)); });
}

QCursor pointer(qreal ratio)
{
    return cursor(QStringLiteral("pointer"), ratio, 11, 1);
}

QCursor windowPointer(qreal ratio)
{
    return cursor(QStringLiteral("pointer-window"), ratio, 1, 1);
}

void setPointer(QWidget* widget)
{
    followPixelRatio(widget, [widget](qreal ratio) { widget->setCursor(pointer(ratio)); });
}

void setWindowPointer(QWidget* widget)
{
    followPixelRatio(widget, [widget](qreal ratio) { widget->setCursor(windowPointer(ratio)); });
}

} // namespace tavrel::look
