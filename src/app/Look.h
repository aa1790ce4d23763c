#pragma once

#include <QCursor>
#include <QFont>
#include <QPixmap>

#include <functional>

class QAbstractButton;
class QLabel;
class QWidget;

namespace tavrel::look {

// The window's typefaces: Comic Sans MS (Comic Neue stands in) and the system sans-serif.
QFont comic(double points, bool bold, bool italic);
QFont sans(double points, bool bold, bool italic);

// A picture of the window's artwork, compiled in as NAME.png with its double
// NAME@2x.png, made for one pixel ratio: its own size in logical pixels.
QPixmap artworkPixmap(const QString& name, qreal ratio);

// Runs apply with the widget's pixel ratio now, and again whenever its window
// moves to a screen of another ratio, so its pictures never get blown up.
void followPixelRatio(QWidget* widget, std::function<void(qreal ratio)> apply);
// Shows artwork on a label or as a button's picture, kept at its pixel ratio.
void showArtwork(QLabel* label, const QString& name);
void showArtwork(QAbstractButton* button, const QString& name);

// The pointer over clickable controls, and the title strip buttons' own.
QCursor pointer(qreal ratio);
QCursor windowPointer(qreal ratio);
// Sets one of them on a widget, kept at the widget's pixel ratio.
void setPointer(QWidget* widget);
void setWindowPointer(QWidget* widget);

} // namespace tavrel::look
