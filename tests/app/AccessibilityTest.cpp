#include "WindowFixture.h"

#include "platform/DirList.h"
#include "platform/DriveList.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

QString accessibleName(QObject* o)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

QString accessibleDescription(QObject* o)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Description) : QString();
}

// The text of whatever labels the control for a screen reader.
QStringList labelledBy(QObject* o)
{
    QStringList out;
    for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(o)->relations(QAccessible::Label))
        out << label->text(QAccessible::Name);
    return out;
}

void collect(QAccessibleInterface* a, QList<QAccessibleInterface*>& out)
{
    out << a;
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface* c = a->child(i))
            collect(c, out);
}

} // namespace

TEST(Accessibility, EveryFocusableControlHasAName)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    // Both panels too: what they hold is in the tree while they are hidden.
    QList<QAccessibleInterface*> tree;
    collect(QAccessible::queryAccessibleInterface(&w), tree);

    QSet<QObject*> walked;
    int focusable = 0;
    for (QAccessibleInterface* a : tree) {
        walked << a->object();
        auto* widget = qobject_cast<QWidget*>(a->object());
        if (!widget || widget->focusPolicy() == Qt::NoFocus)
            continue;
        ++focusable;
        EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString() << " in "
            << widget->parentWidget()->objectName().toStdString();
    }
    EXPECT_GE(focusable, 35);
    // Nothing that takes the focus is missing from the tree.
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (c->focusPolicy() != Qt::NoFocus && !c->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_TRUE(walked.contains(c)) << c->objectName().toStdString();
        }
    }
}

TEST(Accessibility, ControlsSayWhatTheyAreAndDo)
{
    test::Window win;
    form1& w = win.open();

    // Picture buttons are read by their tooltip, without its blanks.
    EXPECT_EQ(accessibleName(w.Command1), QStringLiteral("Launch NeoRAGE"));
    EXPECT_EQ(accessibleName(w.Command2), QStringLiteral("Save this Game's Name"));
    EXPECT_EQ(accessibleName(w.Command6), QStringLiteral("Save Settings to INI"));
    EXPECT_EQ(accessibleName(w.Command7), QStringLiteral("Minimize Tavrel"));
    EXPECT_EQ(accessibleName(w.Command8), QStringLiteral("Exit Tavrel"));
    EXPECT_EQ(accessibleName(w.Command3), QStringLiteral("ROMs"));
    EXPECT_EQ(accessibleName(w.Command4), QStringLiteral("Settings"));
    EXPECT_EQ(accessibleName(w.Image1), QStringLiteral("Game's Image - Click to Change"));
    // Text buttons keep their caption and are described by their tooltip.
    EXPECT_EQ(accessibleName(w.Command14), QStringLiteral("Store"));
    EXPECT_EQ(accessibleDescription(w.Command15), QStringLiteral("Remove all pictures for this game!"));

    // The boxes take the caption beside them, whatever they hold.
    w.Text2->setText(QStringLiteral("Metal Slug"));
    EXPECT_EQ(accessibleName(w.Text2), QStringLiteral("Game Name:"));
    EXPECT_EQ(accessibleName(w.Text3), QStringLiteral(".EXE Name:"));
    EXPECT_TRUE(labelledBy(w.Text3).contains(QStringLiteral(".EXE Name:")));

    // Each list says what it lists; a drop-down list through its label.
    EXPECT_EQ(accessibleName(w.Dir1), QStringLiteral("Directories"));
    EXPECT_EQ(accessibleName(w.File1), QStringLiteral("ROM archives"));
    EXPECT_EQ(accessibleName(w.File2), QStringLiteral("Picture files"));
    EXPECT_TRUE(labelledBy(w.Drive1).contains(QStringLiteral("Drives")));
    EXPECT_TRUE(labelledBy(w.Drive2).contains(QStringLiteral("Drives")));
    EXPECT_FALSE(accessibleDescription(w.Drive2).isEmpty());

    // The slot digits name their slot.
    EXPECT_EQ(accessibleName(w.Label10), QStringLiteral("Picture slot 1"));
    EXPECT_EQ(accessibleName(w.Label14), QStringLiteral("Picture slot 5"));
    // Text controls keep their own words.
    EXPECT_EQ(accessibleName(w.piccheck), QStringLiteral("Use Pictures"));
}
