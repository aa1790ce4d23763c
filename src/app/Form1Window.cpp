// The window's own behaviour: fixed size, dragging, minimizing, exiting, the window menu.
#include "app/Form1.h"

#include "app/Controls.h"
#include "menus/Menus.h"
#include "platform/Desktop.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

namespace tavrel {

void form1::mouseMoveEvent(QMouseEvent* event)
{
    // Only the bare background moves the window; controls that ignore the
    // mouse hand their events up to here, so check what lies under it.
    if (childAt(event->position().toPoint()) == nullptr)
        dragWindow(event->buttons());
    QWidget::mouseMoveEvent(event);
}

void form1::Image2_MouseMove(Qt::MouseButtons buttons)
{
    dragWindow(buttons);
}

void form1::dragWindow(Qt::MouseButtons buttons)
{
    // A screen exactly as wide as the window leaves nowhere to move it.
    const QScreen* s = screen();
    if (s && s->geometry().width() == 640)
        return;
    if (buttons == Qt::LeftButton)
        m_platform.desktop.startWindowMove(this);
}

void form1::Command7_Click()
{
    m_platform.desktop.minimize(this);
}

void form1::Command8_Click()
{
    m_platform.desktop.exitProgram();
}

void form1::closeEvent(QCloseEvent* event)
{
    // Form_Unload: closing by any means ends the program; nothing is saved or asked.
    event->accept();
    m_platform.desktop.exitProgram();
}

void form1::Image6_Click()
{
    if (m_menus)
        popUpAfterClick(Image6, m_menus->mnuclose);
}

void form1::popUpAfterClick(QWidget* control, QMenu* menu)
{
    // At the mouse for a click; a click by keyboard or screen reader pops it up at the control.
    if (control->underMouse())
        menu->popup(QCursor::pos());
    else
        popUpAtFocus(control, menu);
}

void form1::popUpOnRightButton(Qt::MouseButton button, QMenu* Menus::*menu)
{
    // Only the right button opens a list's menu; the list handles the others itself.
    if (button == Qt::RightButton && m_menus)
        (m_menus.get()->*menu)->popup(QCursor::pos());
}

void form1::File1_MouseDown(Qt::MouseButton button)
{
    popUpOnRightButton(button, &Menus::rommenu);
}

void form1::File2_MouseDown(Qt::MouseButton button)
{
    popUpOnRightButton(button, &Menus::bmpmenu);
}

void form1::Dir1_MouseDown(Qt::MouseButton button)
{
    popUpOnRightButton(button, &Menus::mnudir);
}

void form1::Dir2_MouseDown(Qt::MouseButton button)
{
    popUpOnRightButton(button, &Menus::mnudir);
}

} // namespace tavrel
