// The real message and input boxes, as the program shows them over its window.
#include "TreeFixture.h"

#include "app/Controls.h"
#include "app/Form1.h"
#include "menus/Menus.h"
#include "FixedVolumes.h"
#include "RecordingDesktop.h"
#include "ScriptedDialogs.h"
#include "platform/DirList.h"
#include "platform/FileList.h"
#include "../QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace tavrel;

namespace {

// Answers the modal dialogs as they open, one step each, as a user at the
// keyboard would.
class ModalUser {
public:
    using Step = std::function<void(QDialog* dialog)>;

    explicit ModalUser(QList<Step> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
        m_poll.start(5);
    }
    int unanswered() const { return int(m_steps.size()); }

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool() || m_steps.isEmpty())
            return;
        dialog->setProperty("answered", true);
        m_steps.takeFirst()(dialog);
    }

    QList<Step> m_steps;
    QTimer m_poll;
};

double luminance(QColor c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How clearly a label's text stands out on screen: the commonest colour of its
// area is the background, the pixel farthest from it the core of the letters.
double textContrast(QWidget* dialog, QLabel* label)
{
    const QImage shot = dialog->grab(QRect(label->mapTo(dialog, QPoint()), label->size())).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(QColor(it.key()), QColor(background)));
    return best;
}

QLabel* textLabel(QDialog* dialog)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        return box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    return dialog->findChild<QLabel*>();
}

// The box says exactly the text, letter for letter, and it can be read.
void expectShown(QDialog* dialog, const QString& text)
{
    QLabel* label = textLabel(dialog);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_GE(textContrast(dialog, label), 4.5) << text.toStdString();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tavrel"));
}

ModalUser::Step answer(const QString& text, int key)
{
    return [text, key](QDialog* dialog) {
        expectShown(dialog, text);
        QTest::keyClick(dialog, Qt::Key(key));
    };
}

ModalUser::Step type(const QString& prompt, const QString& typed)
{
    return [prompt, typed](QDialog* dialog) {
        expectShown(dialog, prompt);
        auto* field = dialog->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
    };
}

class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file(QStringLiteral("roms/a<b>c.zip"));
        tree.file(QStringLiteral("roms/plain.zip"));
        // The window and its boxes as the program makes them.
        tree.dir(QStringLiteral("prog"));
        const QString prog = tree.path(QStringLiteral("prog/"));
        w = std::make_unique<form1>(ProgramFiles{prog, prog + QStringLiteral("TVRShell.pif")}, Platform{dialogs, desktop, volumes});
        dialogs.setParent(w.get());
        w->Form_Load();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        ASSERT_TRUE(w->Dir1->setPath(tree.path(QStringLiteral("roms"))));
    }
    void select(const QString& name)
    {
        for (int row = 0; row < w->File1->count(); ++row) {
            if (w->File1->item(row) == name) {
                const QRect r = w->File1->visualRect(w->File1->model()->index(row, 0));
                QTest::mouseClick(w->File1->viewport(), Qt::LeftButton, {}, r.center());
            }
        }
        ASSERT_EQ(w->File1->fileName(), name);
    }

    test::Tree tree;
    QtDialogs dialogs;
    RecordingDesktop desktop;
    FixedVolumes volumes;
    std::unique_ptr<form1> w;
};

} // namespace

TEST_F(RealDialogs, AMessageReadsClearlyWhateverTheWindowsLook)
{
    ModalUser user({answer(QStringLiteral("Settings saved! They will be used as defaults from now on."), Qt::Key_Return)});
    QTest::mouseClick(w->Command6, Qt::LeftButton);
    EXPECT_EQ(user.unanswered(), 0);
}

TEST_F(RealDialogs, DeletePromptShowsTheFileNameAsItIs)
{
    const QString odd = tree.path(QStringLiteral("roms/a<b>c.zip"));
    select(QStringLiteral("a<b>c.zip"));
    {
        ModalUser user({answer(QStringLiteral("Do you want to delete \"%1\"?").arg(odd), Qt::Key_Escape),
                        answer(QStringLiteral("Delete of \"%1\" aborted.").arg(odd), Qt::Key_Return)});
        w->menus()->mnudelzip->trigger();
        EXPECT_EQ(user.unanswered(), 0);
        EXPECT_TRUE(QFile::exists(odd));
    }
    ModalUser user({answer(QStringLiteral("Do you want to delete \"%1\"?").arg(odd), Qt::Key_Y)});
    w->menus()->mnudelzip->trigger();
    EXPECT_EQ(user.unanswered(), 0);
    EXPECT_FALSE(QFile::exists(odd));
    EXPECT_TRUE(QFile::exists(tree.path(QStringLiteral("roms/plain.zip"))));
}

TEST_F(RealDialogs, RenamePromptAndItsMessagesShowNamesAsTheyAre)
{
    select(QStringLiteral("a<b>c.zip"));
    {
        ModalUser user({type(QStringLiteral("a<b>c.zip's new name?"), QStringLiteral("x/<i>y.zip")),
                        answer(QStringLiteral("Error: x/<i>y.zip is not a valid file name."), Qt::Key_Return)});
        w->menus()->mnurenamezip->trigger();
        EXPECT_EQ(user.unanswered(), 0);
    }
    ModalUser user({type(QStringLiteral("a<b>c.zip's new name?"), QStringLiteral("<i>y.zip"))});
    w->menus()->mnurenamezip->trigger();
    EXPECT_EQ(user.unanswered(), 0);
    EXPECT_FALSE(QFile::exists(tree.path(QStringLiteral("roms/a<b>c.zip"))));
    EXPECT_TRUE(QFile::exists(tree.path(QStringLiteral("roms/<i>y.zip"))));

    // Cancel in the input box.
    select(QStringLiteral("plain.zip"));
    ModalUser cancel({[](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); },
                      answer(QStringLiteral("Rename Cancelled!"), Qt::Key_Return)});
    w->menus()->mnurenamezip->trigger();
    EXPECT_EQ(cancel.unanswered(), 0);
}
