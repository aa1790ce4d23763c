#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>

using namespace tavrel;

namespace {

QString accessible(QObject* o, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(text) : QString();
}

void collect(QAccessibleInterface* a, QSet<QObject*>& out)
{
    out << a->object();
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface* c = a->child(i))
            collect(c, out);
}

} // namespace

TEST(Accessibility, EveryFocusableControlIsInTheTreeAndSaysWhatItIsAndDoes)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    // Both panels too: what they hold is in the tree while they are hidden.
    QSet<QObject*> walked;
    collect(QAccessible::queryAccessibleInterface(&w), walked);
    int focusable = 0;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        // Qt's own inner widgets need not be in the tree; those that are need a name too.
        const bool own = !c->objectName().startsWith(QLatin1String("qt_"));
        if (c->focusPolicy() == Qt::NoFocus || !(own || walked.contains(c)))
            continue;
        focusable += own;
        EXPECT_TRUE(walked.contains(c)) << c->objectName().toStdString();
        EXPECT_FALSE(accessible(c).trimmed().isEmpty())
            << c->metaObject()->className() << " " << c->objectName().toStdString();
    }
    EXPECT_GE(focusable, 35);

    // Each box is named by the caption beside it, whatever it holds (the buttons' names: the screen-reader test).
    w.Text2->setText("Metal Slug");
    EXPECT_EQ(accessible(w.Text2), "Game Name:");
    EXPECT_EQ(accessible(w.Text3), ".EXE Name:");
    // Text buttons are described by their tooltip; a drive box is named for its purpose, its value is the drive.
    EXPECT_EQ(accessible(w.Command15, QAccessible::Description), "Remove all pictures for this game!");
    const auto labels = QAccessible::queryAccessibleInterface(w.Text3)->relations(QAccessible::Label);
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](auto l) { return l.first->text(QAccessible::Name) == ".EXE Name:"; }));
    for (DriveList* drives : {w.Drive1, w.Drive2})
        EXPECT_EQ(accessible(drives) + accessible(drives, QAccessible::Value), "Drives" + drives->currentText());
    EXPECT_FALSE(accessible(w.Drive2, QAccessible::Description).isEmpty());
}

namespace {

using Keyboard = test::WindowOnTree;

// The controls Tab visits from the focused one until it comes round again.
QList<QWidget*> tabCycle()
{
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (QTest::keyClick(visited.last(), Qt::Key_Tab); QApplication::focusWidget() != visited.first() && visited.size() < 40;
         QTest::keyClick(visited.last(), Qt::Key_Tab))
        visited << QApplication::focusWidget();
    return visited;
}

} // namespace

// Enter acts on buttons and the name box; a panel keeps the focus and the keys to itself and its
// title strip, and gives the focus back when it closes.
TEST_F(Keyboard, EnterPressesAndPanelsKeepTheKeys)
{
    files({"roms/a.zip"});
    openOnRoms("[Pictures]\r\n1=yes\r\n");
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(w().Command4, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(w().Frame1->isVisible());
    QTest::keyClick(w().Command3, Qt::Key_Return);
    EXPECT_TRUE(w().Dir1->isVisible());
    w().Text2->setFocus();
    QTest::keyClicks(w().Text2, "Metal Slug");
    QTest::keyClick(w().Text2, Qt::Key_Return);
    EXPECT_TRUE(win.iniBytes().contains("gamename=Metal Slug"));

    // The picture panel from the game's picture; the covered browser stays as it was.
    test::selectFile(w().File1, "a.zip");
    w().Image1->setFocus();
    QTest::keyClick(w().Image1, Qt::Key_Menu);
    QTest::keyClick(menus().picmenu, Qt::Key_Up);
    QTest::keyClick(menus().picmenu, Qt::Key_Return);
    EXPECT_EQ(tabCycle(), (QList<QWidget*>{w().Drive2, w().Command9, w().File2, w().Dir2, w().Label10, w().Label11,
                                           w().Label12, w().Label13, w().Label14, w().Command14, w().Command15,
                                           w().Command8, w().Command7}));
    for (QWidget* covered : std::initializer_list<QWidget*>{w().Command3, w().File1, w().Image1, w().Text2})
        EXPECT_FALSE(covered->isVisible()) << covered->objectName().toStdString();
    w().Label12->setFocus();
    QTest::keyClick(w().Label12, Qt::Key_Space);
    EXPECT_TRUE(w().Shape3->isVisible() && w().Label12->isSelected() && !w().Label10->isSelected());
    QTest::keyClick(w().Label12, Qt::Key_Down);
    QTest::keyClick(w().Command9, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w().Image1);
    EXPECT_TRUE(w().Dir1->isVisible() && !w().Frame1->isVisible() && !w().imageframe->isVisible());
    EXPECT_EQ(w().File1->fileName(), "a.zip");

    // The about panel from the settings view: Down there leaves the covered options alone.
    QTest::keyClick(w().Command4, Qt::Key_Space);
    w().quarterscan->setChecked(true);
    w().Image3->setFocus();
    QTest::keyClick(w().Image3, Qt::Key_Return);
    EXPECT_EQ(tabCycle(), (QList<QWidget*>{w().Image4, w().Label2, w().Command8, w().Command7}));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(w().Label2, Qt::Key_Enter);
    EXPECT_EQ(win.desktop.openedUrls.size(), 1);
    QTest::keyClick(w().Image4, Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), w().Image3);
    EXPECT_TRUE(w().quarterscan->isChecked() && w().Frame1->isVisible() && !w().aboutframe->isVisible());
}

// Each focus mark differs from what it covers by at least 3:1 all round the control, 2 pixels deep.
TEST_F(Keyboard, FocusMarksStandOutFromWhatTheyCover)
{
    tree.picture("roms/white.png", "PNG", Qt::white);   // a light mark would vanish on it
    files({"roms/a.zip", "roms/b.zip"});
    openOnRoms("[Pictures]\r\n1=yes\r\n");
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    test::selectFile(w().File1, "a.zip");
    w().showPicture(w().Image1, tree.path("roms/white.png"));
    ASSERT_NEAR(contrast(QColor(0x767676), Qt::white), 4.54, 0.01);   // the measure itself, on a known pair
    auto check = [&](std::initializer_list<QWidget*> controls) {
        for (QWidget* c : controls) {
            w().Command8->setFocus();
            const QRect at(c->mapTo(&w(), QPoint()), c->size());
            const QImage before = w().grab(at).toImage();
            c->setFocus();
            const QImage after = w().grab(at).toImage();
            int marked = 0;
            for (int y = 0; y < after.height(); ++y)
                for (int x = 0; x < after.width(); ++x)
                    marked += contrast(before.pixelColor(x, y), after.pixelColor(x, y)) >= 3;
            EXPECT_GE(marked, 4 * (at.width() + at.height()) - 16) << c->objectName().toStdString();
        }
    };
    check({w().Drive1, w().Dir1, w().File1, w().Text2, w().Image1});
    w().Command4_Click();
    check({w().noscan, w().vsync, w().joycheck, w().Text3, w().Image3});
    w().Image3_Click();
    check({w().Image4, w().Label2});
    w().Image4_Click();
    menus().mnuloadpicselect_Click();
    check({w().File2, w().Label10});
}
