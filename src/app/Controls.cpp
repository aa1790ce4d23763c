#include "app/Controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace tavrel {

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons());
    event->accept();
}

static QString oneLine(QString path)
{
    // A line break in a file name shows as a symbol, as file managers show it, instead of a second line
    // that the box cuts off; other control characters show as their pictures.
    for (QChar& c : path) {
        if (c == u'\n' || c == u'\r')
            c = QChar(0x21B5);
        else if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
    }
    return path;
}

void PathLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect area = contentsRect().adjusted(3, 0, -3, 0);
    p.setPen(palette().color(foregroundRole()));
    p.drawText(area, int(alignment()), fontMetrics().elidedText(oneLine(text()), Qt::ElideMiddle, area.width()));
}

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColour(Qt::black);
}

void PictureButton::setBackColour(const QColor& colour)
{
    m_back = colour;
    setStyleSheet(QStringLiteral(
        "QPushButton { background-color: %1; color: white; border: 2px outset %2; }"
        "QPushButton:pressed { border-style: inset; }"
        "QPushButton:focus { border-color: #ff4fd8; }")
                      .arg(colour.name(), (colour.value() < 40 ? QColor(90, 90, 90) : colour.lighter(140)).name()));
}

Shape::Shape(QWidget* parent) : QFrame(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

class SelectedOptionTabStop final : public QObject {
public:
    explicit SelectedOptionTabStop(const QList<QRadioButton*>& group) : QObject(group.first()), m_group(group)
    {
        for (QRadioButton* b : m_group) {
            b->installEventFilter(this);
            connect(b, &QAbstractButton::toggled, this, &SelectedOptionTabStop::apply);
        }
        apply();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Taking the focus hands the tab stop to the focused button (Qt's own
        // rule); leaving gives it back to the selected one.
        if (event->type() == QEvent::FocusOut)
            apply();
        return false;
    }

private:
    void apply()
    {
        for (QRadioButton* b : m_group) {
            const Qt::FocusPolicy policy = b->focusPolicy();
            b->setFocusPolicy(b->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                             : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    }

    QList<QRadioButton*> m_group;
};

} // namespace

void tabToSelectedOption(const QList<QRadioButton*>& group)
{
    if (!group.isEmpty())
        new SelectedOptionTabStop(group);
}

} // namespace tavrel
