#include "app/Controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QRadioButton>

#include <cmath>

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

namespace {
// Enter, Return and Space, alone or from the keypad.
bool isActivationKey(const QKeyEvent* event, bool withSpace)
{
    const int key = event->key();
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
        && (key == Qt::Key_Return || key == Qt::Key_Enter || (withSpace && key == Qt::Key_Space));
}

QString oneLine(QString path)
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
} // namespace

void ClickLabel::makeActivatable(QAccessible::Role role, bool tabStop)
{
    m_activatable = true;
    m_role = role;
    // Tab alone: a click does its work without taking the focus, so the mouse leaves no focus mark.
    if (tabStop)
        setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    if (m_activatable && isActivationKey(event, true)) {
        event->accept();
        if (!event->isAutoRepeat())   // a key held down clicks once
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
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

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    if (isActivationKey(event, false)) {
        event->accept();
        if (!event->isAutoRepeat())   // a key held down presses once, as Space does
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

Shape::Shape(QWidget* parent) : QFocusFrame(parent)
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

// Lays the focus mark over the control itself, not around or beneath it.
class OnTheEdge final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_FocusFrame_AboveWidget)
            return 1;
        if (hint == SH_FocusFrame_Mask)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

double luminance(const QColor& c)
{
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

bool marked(QWidget* w)
{
    return qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w)
        || qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<ClickLabel*>(w);
}

// The window's pink, lightened until it stands out from its grey borders.
const QColor kMarkLight(255, 192, 244);
constexpr int kMarkWidth = 2;

} // namespace

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

FocusMark::FocusMark(QWidget* window) : QFocusFrame(window), m_window(window)
{
    auto* style = new OnTheEdge;
    style->setParent(this);
    setStyle(style);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusMark::follow(QWidget* focused)
{
    setWidget(focused && focused->window() == m_window && marked(focused) ? focused : nullptr);
}

void FocusMark::paintEvent(QPaintEvent*)
{
    QWidget* target = widget();
    if (!target)
        return;
    // What lies beneath: the parent's own background, then the control; never this mark itself.
    const qreal ratio = devicePixelRatioF();
    QPixmap shot(size() * ratio);
    shot.setDevicePixelRatio(ratio);
    shot.fill(Qt::black);
    parentWidget()->render(&shot, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    QWidget* holder = target->parentWidget();
    if (holder != parentWidget())   // with the siblings that overlap it, inside a frame
        holder->render(&shot, QPoint(), QRegion(target->geometry()),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    else
        target->render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    const QImage beneath = shot.toImage();
    QImage ring(size(), QImage::Format_ARGB32_Premultiplied);
    ring.fill(Qt::transparent);
    const int w = width(), h = height();
    for (int y = 0; y < h; ++y) {
        const bool edgeRow = y < kMarkWidth || y >= h - kMarkWidth;
        for (int x = 0; x < w; ++x) {
            if (!edgeRow && x == kMarkWidth)
                x = qMax(x, w - kMarkWidth);   // the inside stays clear
            const QColor under = beneath.pixelColor(qMin(int(x * ratio), beneath.width() - 1),
                                                    qMin(int(y * ratio), beneath.height() - 1));
            ring.setPixelColor(x, y, contrast(kMarkLight, under) >= 3 ? kMarkLight : QColor(Qt::black));
        }
    }
    QPainter(this).drawImage(0, 0, ring);
}

void tabToSelectedOption(const QList<QRadioButton*>& group)
{
    if (!group.isEmpty())
        new SelectedOptionTabStop(group);
}

} // namespace tavrel
