#include "WindowFixture.h"

#include "app/Controls.h"
#include "platform/DirList.h"
#include "platform/FileList.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QList<QMenu*> openMenus(const Menus& m)
{
    QList<QMenu*> open;
    for (QMenu* menu : {m.mnudir, m.bmpmenu, m.rommenu, m.mnuclose, m.picmenu}) {
        if (menu->isVisible())
            open << menu;
    }
    return open;
}

void closeAll(const Menus& m)
{
    for (QMenu* menu : {m.mnudir, m.bmpmenu, m.rommenu, m.mnuclose, m.picmenu})
        menu->hide();
}

} // namespace

TEST(Menus, HoldTheFiveMenusInOrder)
{
    test::Window win;
    const Menus& m = *win.open().menus();
    EXPECT_FALSE(m.isVisible());
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Form2"));
    EXPECT_EQ(captions(m.mnudir), (QStringList{"-", "Refresh Directory", "-"}));
    EXPECT_EQ(captions(m.bmpmenu), (QStringList{"File Management", "-", "(&1) Refresh Dir/File Lists",
                                                 "(&2) Delete Image File", "(&3) Rename Image File"}));
    EXPECT_EQ(captions(m.rommenu), (QStringList{"File Management", "-", "(&1) Refresh Dir/File Lists",
                                                 "(&2) Delete ZIP File", "(&3) Rename ZIP File"}));
    EXPECT_EQ(captions(m.mnuclose), (QStringList{"Mi&nimize", "-", "&Close"}));
    EXPECT_EQ(captions(m.picmenu),
              (QStringList{"Picture Menu", "-", "Show Picture 1", "Show Picture 2", "Show Picture 3",
                           "Show Picture 4", "Show Picture 5", "-", "Select Pictures"}));
    EXPECT_TRUE(m.mnupic1->isChecked());
    for (QAction* a : {m.mnupic2, m.mnupic3, m.mnupic4, m.mnupic5})
        EXPECT_FALSE(a->isChecked());
    for (QAction* heading : {m.mnutemp1, m.blahblasdjaksjdla, m.mnupicmenublah})
        EXPECT_TRUE(heading->isEnabled());
}

TEST(Menus, RightButtonAloneOpensAListsMenu)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    const Menus& m = *w.menus();
    const struct {
        QWidget* list;
        QMenu* menu;
        bool inPanel;
    } cases[] = {{w.File1, m.rommenu, false}, {w.Dir1, m.mnudir, false}, {w.File2, m.bmpmenu, true},
                 {w.Dir2, m.mnudir, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list->objectName().toStdString());
        w.imageframe->setVisible(c.inPanel);
        QWidget* target = static_cast<QAbstractScrollArea*>(c.list)->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(target, Qt::MiddleButton, {}, QPoint(5, 5));
        EXPECT_TRUE(openMenus(m).isEmpty());
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(5, 5));
        EXPECT_EQ(openMenus(m), QList<QMenu*>{c.menu});
        closeAll(m);
    }
}

TEST(Menus, WindowMenuMinimizesAndCloses)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    const Menus& m = *w.menus();
    QTest::mouseClick(w.Image6, Qt::LeftButton);
    EXPECT_EQ(openMenus(m), QList<QMenu*>{m.mnuclose});
    m.mnumini->trigger();
    EXPECT_EQ(win.desktop.minimizes, 1);
    m.mnucloser->trigger();
    EXPECT_EQ(win.desktop.exits, 1);
    closeAll(m);

    // Headings are plain items that do nothing.
    m.mnutemp1->trigger();
    m.blahblasdjaksjdla->trigger();
    m.mnupicmenublah->trigger();
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
    EXPECT_EQ(win.desktop.minimizes + win.desktop.exits, 2);
}

TEST(Menus, ShownMenusDisplayEveryItemAndSeparatorInOrder)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    const Menus& m = *w.menus();
    for (QMenu* menu : {m.mnudir, m.bmpmenu, m.rommenu, m.mnuclose, m.picmenu}) {
        SCOPED_TRACE(menu->objectName().toStdString());
        menu->popup(w.mapToGlobal(QPoint(100, 100)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        int below = -1;
        for (QAction* a : menu->actions()) {
            const QRect shown = menu->actionGeometry(a);
            EXPECT_FALSE(shown.isEmpty()) << (a->isSeparator() ? "separator " : "item ") << a->objectName().toStdString();
            EXPECT_GT(shown.top(), below);
            below = shown.bottom();
        }
        menu->hide();
    }
}
