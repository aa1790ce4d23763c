// The window by keyboard: pop-up menus from the keyboard, and panels that
// keep the focus, the keys and the clicks to themselves while shown.
#include "app/Form1.h"

#include "app/Controls.h"
#include "menus/Menus.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>

#include <initializer_list>
#include <utility>

namespace tavrel {

namespace {
// The Menu key, or Shift+F10, as desktops have it.
bool asksForMenu(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Menu && mods == Qt::NoModifier)
        || (event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
}
} // namespace

void form1::setUpKeyboard()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Dir1, File1, Dir2, File2, Image1})
        w->installEventFilter(this);
    for (QWidget* panel : {aboutframe, imageframe})
        panel->installEventFilter(this);
    // The window menu, where desktops have it.
    auto* windowMenu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(windowMenu, &QShortcut::activated, this, [this] {
        if (m_menus)
            popUpAtFocus(Image6, m_menus->mnuclose);
    }, Qt::DirectConnection);
}

bool form1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == aboutframe || watched == imageframe) {
        if (type == QEvent::ShowToParent)
            coverView(static_cast<QWidget*>(watched));
        else if (type == QEvent::HideToParent)
            uncoverView();
        return false;
    }
    const bool keyboardMenu = (type == QEvent::KeyPress && asksForMenu(static_cast<QKeyEvent*>(event)))
        || (type == QEvent::ContextMenu
            && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard);
    if (!keyboardMenu || !m_menus)
        return false;
    // The menu a right click on the control opens; the picture's is the one its click opens.
    QMenu* menu = watched == File1 ? m_menus->rommenu
        : watched == File2         ? m_menus->bmpmenu
        : watched == Image1        ? m_menus->picmenu
                                   : m_menus->mnudir;
    popUpAtFocus(static_cast<QWidget*>(watched), menu);
    event->accept();
    return true;
}

void form1::popUpAtFocus(QWidget* control, QMenu* menu)
{
    // At the focused item of a list, otherwise below the control.
    QPoint at = control->mapToGlobal(QPoint(0, control->height()));
    if (auto* list = qobject_cast<QAbstractItemView*>(control)) {
        const QRect item = list->visualRect(list->currentIndex());
        at = list->viewport()->mapToGlobal(list->viewport()->rect().intersects(item) ? item.center() : QPoint());
    }
    menu->popup(at);
}

void form1::coverView(QWidget* panel)
{
    // The controls beneath the panel are hidden while it covers them: they take
    // no focus, keys or clicks, and screen readers do not find them showing.
    if (m_covered.isEmpty())
        m_focusBeforePanel = focusWidget();
    const QList<QWidget*> titleStrip{Image2, Image6, Command7, Command8};
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == panel || child->isWindow() || child->isHidden() || titleStrip.contains(child)
            || qobject_cast<QFocusFrame*>(child))
            continue;
        m_covered.append(child);
        child->hide();
    }
    panel->raise();
    // The panel's first tab stop takes the focus.
    (panel == aboutframe ? static_cast<QWidget*>(Image4) : Drive2)->setFocus(Qt::TabFocusReason);
}

void form1::uncoverView()
{
    const QList<QPointer<QWidget>> covered = std::exchange(m_covered, {});
    for (const QPointer<QWidget>& w : covered) {
        if (w)
            w->show();
    }
    if (m_focusBeforePanel && m_focusBeforePanel->isVisible())
        m_focusBeforePanel->setFocus(Qt::OtherFocusReason);
    m_focusBeforePanel = nullptr;
}

} // namespace tavrel
