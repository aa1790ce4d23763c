#include "WindowFixture.h"

#include <QAccessible>

using namespace tavrel;

namespace {

QString accessible(QObject* o, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(text) : QString();
}

// The text of whatever labels the control for a screen reader.
QStringList labelledBy(QObject* o)
{
    QStringList out;
    for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(o)->relations(QAccessible::Label))
        out << label->text(QAccessible::Name);
    return out;
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
        if (c->focusPolicy() == Qt::NoFocus)
            continue;
        // Qt's own inner widgets need not be in the tree; those that are need a name too.
        if (!c->objectName().startsWith(QLatin1String("qt_"))) {
            ++focusable;
            EXPECT_TRUE(walked.contains(c)) << c->objectName().toStdString();
        } else if (!walked.contains(c)) {
            continue;
        }
        EXPECT_FALSE(accessible(c).trimmed().isEmpty())
            << c->metaObject()->className() << " " << c->objectName().toStdString();
    }
    EXPECT_GE(focusable, 35);

    // Each control says what it is and does.
    w.Text2->setText("Metal Slug");   // a box is named by the caption beside it, whatever it holds
    const std::pair<QWidget*, const char*> names[] = {
        // Picture buttons are read by their tooltip, without its blanks.
        {w.Command1, "Launch NeoRAGE"}, {w.Command2, "Save this Game's Name"}, {w.Command6, "Save Settings to INI"},
        {w.Command7, "Minimize Tavrel"}, {w.Command8, "Exit Tavrel"}, {w.Command3, "ROMs"}, {w.Command4, "Settings"},
        {w.Image1, "Game's Image - Click to Change"},
        // Text buttons and check boxes keep their caption.
        {w.Command14, "Store"}, {w.piccheck, "Use Pictures"},
        {w.Text2, "Game Name:"}, {w.Text3, ".EXE Name:"},
        {w.Dir1, "Directories"}, {w.File1, "ROM archives"}, {w.File2, "Picture files"},
        {w.Label10, "Picture slot 1"}, {w.Label14, "Picture slot 5"}};
    for (const auto& [control, name] : names)
        EXPECT_EQ(accessible(control), QString::fromUtf8(name)) << control->objectName().toStdString();

    // Text buttons are described by their tooltip; a drive box is named for its purpose, its value is the drive.
    EXPECT_EQ(accessible(w.Command15, QAccessible::Description), "Remove all pictures for this game!");
    EXPECT_TRUE(labelledBy(w.Text3).contains(".EXE Name:"));
    for (DriveList* drives : {w.Drive1, w.Drive2}) {
        EXPECT_EQ(accessible(drives), "Drives");
        EXPECT_EQ(accessible(drives, QAccessible::Value), drives->currentText());
    }
    EXPECT_FALSE(accessible(w.Drive2, QAccessible::Description).isEmpty());
}
