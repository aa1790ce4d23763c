#include "app/Look.h"

#include <QPixmap>

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
} // namespace

QFont comic(double points, bool bold, bool italic)
{
    return make(QStringLiteral("Comic Sans MS"), points, bold, italic);
}

QFont sans(double points, bool bold, bool italic)
{
    return make(QStringLiteral("Sans Serif"), points, bold, italic);
}

QCursor pointer()
{
    return QCursor(QPixmap(QStringLiteral(":/pointer.png")), 11, 1);
}

QCursor windowPointer()
{
    return QCursor(QPixmap(QStringLiteral(":/pointer-window.png")), 1, 1);
}

} // namespace tavrel::look
