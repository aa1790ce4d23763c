#pragma once

#include <QAccessible>
#include <QColor>
#include <QFocusFrame>
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

    // Makes it a control in its own right for keyboard and screen-reader
    // users: it says it can be pressed, as the given role, and with a tab
    // stop it takes the focus, where Enter and Space click it.
    void makeActivatable(QAccessible::Role role, bool tabStop);
    bool isActivatable() const { return m_activatable; }
    QAccessible::Role accessibleRole() const { return m_role; }
    // For a choice among several (the picture slots): whether it is the chosen one.
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    void click() { emit clicked(); }

signals:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_pressed = false;
    bool m_activatable = false;
    bool m_selected = false;
    QAccessible::Role m_role = QAccessible::NoRole;
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
// Enter presses it as Space does.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);
    QColor backColour() const { return m_back; }
    void setBackColour(const QColor& colour);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_back{Qt::black};
};

// An outline rectangle that never takes the mouse from what lies beneath it.
// Screen readers skip it, as they skip every focus frame: the chosen slot it
// outlines is told by its digit's selected state.
class Shape : public QFocusFrame {
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

// The focus mark of a window's lists, text boxes, option buttons, check boxes
// and pictures: a ring along the focused control's edge, light where what
// lies beneath is dark and black where it is light, so that it stands out
// by at least 3:1 from whatever it covers.
class FocusMark : public QFocusFrame {
    Q_OBJECT
public:
    explicit FocusMark(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* focused);
    QWidget* m_window;
};

// The WCAG contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b);

} // namespace tavrel
