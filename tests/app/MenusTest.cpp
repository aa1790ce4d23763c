#include "WindowFixture.h"

#include <QAbstractItemView>

using namespace tavrel;

namespace {

QList<QMenu*> openMenus(const Menus& m)
{
    QList<QMenu*> open;
    for (QMenu* menu : {m.mnudir, m.bmpmenu, m.rommenu, m.mnuclose, m.picmenu})
        if (menu->isVisible())
            open << menu;
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
    const struct { QAbstractScrollArea* list; QMenu* menu; bool inPanel; } cases[] = {
        {w.File1, m.rommenu, false}, {w.Dir1, m.mnudir, false}, {w.File2, m.bmpmenu, true}, {w.Dir2, m.mnudir, true}};
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

using KeyboardMenus = test::WindowOnTree;

// Every menu opens from the keyboard at the focused control, and the keys choose its items.
TEST_F(KeyboardMenus, OpenAtTheFocusAndTakeAccessKeys)
{
    files({"roms/a.zip", "roms/b.zip"});
    openOnRoms("[Pictures]\r\n1=yes\r\n");
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    test::selectFile(w().File1, "b.zip");
    const Menus& m = menus();
    const struct { QWidget* control; Qt::Key key; Qt::KeyboardModifiers modifiers; QMenu* menu; } cases[] = {
        {w().File1, Qt::Key_Menu, {}, m.rommenu}, {w().Dir1, Qt::Key_F10, Qt::ShiftModifier, m.mnudir},
        {w().Image1, Qt::Key_Menu, {}, m.picmenu}, {w().Text2, Qt::Key_Space, Qt::AltModifier, m.mnuclose}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        c.control->setFocus();
        QTest::keyClick(c.control, c.key, c.modifiers);
        ASSERT_EQ(openMenus(m), QList<QMenu*>{c.menu});
        if (auto* list = qobject_cast<QAbstractItemView*>(c.control)) {
            EXPECT_EQ(c.menu->pos(), list->viewport()->mapToGlobal(list->visualRect(list->currentIndex()).center()));
        }
        QTest::keyClick(c.menu, Qt::Key_Escape);
        EXPECT_TRUE(openMenus(m).isEmpty());
    }

    // Access keys: "(&1) Refresh" shows a file that came since; "Mi&nimize".
    files({"roms/c.zip"});
    QTest::keyClick(w().File1, Qt::Key_Menu);
    QTest::keyClick(m.rommenu, Qt::Key_1);
    EXPECT_EQ(test::listedFiles(w().File1), (QStringList{"a.zip", "b.zip", "c.zip"}));
    QTest::keyClick(w().File1, Qt::Key_Space, Qt::AltModifier);
    QTest::keyClick(m.mnuclose, Qt::Key_N);
    EXPECT_EQ(win.desktop.minimizes, 1);
    // The last item of the picture menu opens the picture panel, whose file list has its own menu.
    QTest::keyClick(w().Image1, Qt::Key_Menu);
    QTest::keyClick(m.picmenu, Qt::Key_Up);
    QTest::keyClick(m.picmenu, Qt::Key_Return);
    EXPECT_TRUE(w().imageframe->isVisible());
    QTest::keyClick(w().File2, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(openMenus(m), QList<QMenu*>{m.bmpmenu});
}
