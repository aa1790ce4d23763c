#include "WindowFixture.h"

using namespace tavrel;

namespace {

QList<QMenu*> openMenus(const Menus& m)
{
    QList<QMenu*> open;
    for (QMenu* menu : {m.mnudir, m.bmpmenu, m.rommenu, m.mnuclose, m.picmenu}) {
        if (menu->isVisible())
            open << menu;
    }
    return open;
}

} // namespace

// Each menu holds its items in order, and shown, it draws every item and separator, one below the other.
TEST(Menus, ShowEveryItemAndSeparatorInOrder)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    const Menus& m = *w.menus();
    EXPECT_FALSE(m.isVisible());
    const std::pair<QMenu*, QStringList> menus[] = {
        {m.mnudir, {"-", "Refresh Directory", "-"}},
        {m.bmpmenu, {"File Management", "-", "(&1) Refresh Dir/File Lists", "(&2) Delete Image File", "(&3) Rename Image File"}},
        {m.rommenu, {"File Management", "-", "(&1) Refresh Dir/File Lists", "(&2) Delete ZIP File", "(&3) Rename ZIP File"}},
        {m.mnuclose, {"Mi&nimize", "-", "&Close"}},
        {m.picmenu, {"Picture Menu", "-", "Show Picture 1", "Show Picture 2", "Show Picture 3", "Show Picture 4",
                     "Show Picture 5", "-", "Select Pictures"}}};
    for (const auto& [menu, captions] : menus) {
        SCOPED_TRACE(menu->objectName().toStdString());
        menu->popup(w.mapToGlobal(QPoint(100, 100)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QStringList shown;
        int below = -1;
        for (QAction* a : menu->actions()) {
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
            const QRect at = menu->actionGeometry(a);
            EXPECT_FALSE(at.isEmpty()) << shown.last().toStdString();
            EXPECT_GT(at.top(), below);
            below = at.bottom();
        }
        EXPECT_EQ(shown, captions);
        menu->hide();
    }
    EXPECT_TRUE(m.mnupic1->isChecked());
    EXPECT_FALSE(m.mnupic2->isChecked() || m.mnupic3->isChecked() || m.mnupic4->isChecked() || m.mnupic5->isChecked());
}

TEST(Menus, RightButtonAloneOpensAListsMenuAndTheIconTheWindowMenu)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    const Menus& m = *w.menus();
    const struct {
        QAbstractScrollArea* list;
        QMenu* menu;
        bool inPanel;
    } cases[] = {{w.File1, m.rommenu, false}, {w.Dir1, m.mnudir, false}, {w.File2, m.bmpmenu, true},
                 {w.Dir2, m.mnudir, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list->objectName().toStdString());
        w.imageframe->setVisible(c.inPanel);
        QTest::mouseClick(c.list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(c.list->viewport(), Qt::MiddleButton, {}, QPoint(5, 5));
        EXPECT_TRUE(openMenus(m).isEmpty());
        QTest::mouseClick(c.list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        EXPECT_EQ(openMenus(m), QList<QMenu*>{c.menu});
        c.menu->hide();
    }

    // The window menu minimizes and closes; headings are plain enabled items that do nothing.
    QTest::mouseClick(w.Image6, Qt::LeftButton);
    EXPECT_EQ(openMenus(m), QList<QMenu*>{m.mnuclose});
    m.mnumini->trigger();
    EXPECT_EQ(win.desktop.minimizes, 1);
    m.mnucloser->trigger();
    EXPECT_EQ(win.desktop.exits, 1);
    m.mnuclose->hide();
    for (QAction* heading : {m.mnutemp1, m.blahblasdjaksjdla, m.mnupicmenublah}) {
        EXPECT_TRUE(heading->isEnabled());
        heading->trigger();
    }
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
    EXPECT_EQ(win.desktop.minimizes + win.desktop.exits, 2);
}
