// What screen readers are told about the window's own kinds of control,
// where Qt's general answers do not fit them.
#include "app/AccessibleNames.h"

#include "app/Controls.h"
#include "app/Form1.h"
#include "platform/DriveList.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace tavrel {

namespace {

// A clickable label or picture: the role it was given and a press action.
class ClickLabelAccess final : public QAccessibleWidget {
public:
    explicit ClickLabelAccess(ClickLabel* label) : QAccessibleWidget(label) {}

    // Asked each time: the label may have been asked about before it was given its role.
    QAccessible::Role role() const override { return roleOf(label()); }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? label()->text() : own;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::ListItem) {
            s.selectable = true;
            s.selected = label()->isSelected();
        }
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->isActivatable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && label()->isActivatable())
            label()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    static QAccessible::Role roleOf(ClickLabel* label)
    {
        if (label->accessibleRole() != QAccessible::NoRole)
            return label->accessibleRole();
        return label->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }
    ClickLabel* label() const { return static_cast<ClickLabel*>(widget()); }
};

// A drive box: named for what it chooses, its value the drive chosen, its
// drop-down list its one child. (Qt names a drop-down list on Linux by its value.)
class DriveListAccess final : public QAccessibleWidget {
public:
    explicit DriveListAccess(DriveList* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == box()->view() ? 0 : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    DriveList* box() const { return static_cast<DriveList*>(widget()); }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("tavrel::ClickLabel"))
        return new ClickLabelAccess(static_cast<ClickLabel*>(object));
    if (className == QLatin1String("tavrel::DriveList"))
        return new DriveListAccess(static_cast<DriveList*>(object));
    // The window is a window, not a pane; the two panels are groups.
    if (className == QLatin1String("tavrel::form1"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("QFrame") && object->property(kPanelProperty).toBool())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tavrel
