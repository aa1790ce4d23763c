#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

class QRadioButton;

namespace tavrel {

// A label or picture that reacts to the mouse: a left-button click, and
// mouse moves with the buttons held (the title strip drags the window).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// A one-line label for a path: the whole text stays the label's text (and its
// tooltip shows it), while a path too long for the box loses its middle on
// screen instead of its end, and a line break in it shows as a symbol.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A command button that shows a picture or a caption on a back colour of its own.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);
    QColor backColour() const { return m_back; }
    void setBackColour(const QColor& colour);

private:
    QColor m_back{Qt::black};
};

// An outline rectangle that never takes the mouse from what lies beneath it.
class Shape : public QFrame {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Tab visits only the selected button of an option group, however it came to
// be selected: by start-up, the mouse or the arrow keys (which move within the
// group). Left to itself, Qt visits the button that last had the focus, or the
// first one of a group that never had it.
void tabToSelectedOption(const QList<QRadioButton*>& group);

} // namespace tavrel
