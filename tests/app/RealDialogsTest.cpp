// The real message and input boxes, as the program shows them over its window.
#include "WindowFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

using namespace tavrel;

namespace {

using Step = std::function<void(QDialog* dialog)>;

// Answers the modal dialogs as they open, one step each, as a user at the keyboard would.
struct ModalUser {
    explicit ModalUser(QList<Step> steps) : steps(std::move(steps))
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible() && !dialog->property("answered").toBool() && !this->steps.isEmpty()) {
                dialog->setProperty("answered", true);
                this->steps.takeFirst()(dialog);
            }
        });
        poll.start(5);
    }
    QList<Step> steps;
    QTimer poll;
};

// How clearly a label's text stands out on screen: the commonest colour of its
// area is the background, the pixel farthest from it the core of the letters.
double textContrast(QWidget* dialog, QLabel* label)
{
    const QImage shot = dialog->grab(QRect(label->mapTo(dialog, QPoint()), label->size())).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y)];
    const QRgb background = (*std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                               [](auto a, auto b) { return a.second < b.second; })).first;
    double best = 1;
    for (QRgb colour : counts.keys())
        best = std::max(best, contrast(QColor(colour), QColor(background)));
    return best;
}

// The box says exactly the text, letter for letter, and it can be read.
void expectShown(QDialog* dialog, const QString& text)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    QLabel* label = box ? box->findChild<QLabel*>("qt_msgbox_label") : dialog->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_GE(textContrast(dialog, label), 4.5) << text.toStdString();
    EXPECT_EQ(dialog->windowTitle(), "Tavrel");
}

// The box must show the text; the user types into its field, if told, then presses the key.
Step answer(const QString& text, int key, const QString& typed = {})
{
    return [=](QDialog* dialog) {
        expectShown(dialog, text);
        QWidget* target = dialog;
        if (!typed.isNull()) {
            target = dialog->findChild<QLineEdit*>();
            ASSERT_NE(target, nullptr);
            QTest::keyClicks(target, typed);
        }
        QTest::keyClick(target, Qt::Key(key));
    };
}

// The window with the boxes the program makes, over a folder holding a file named like markup.
class RealDialogs : public test::WindowOnTree {
protected:
    void SetUp() override
    {
        files({"roms/a<b>c.zip", "roms/plain.zip"});
        openOnRoms({}, &boxes);
        boxes.setParent(win.w.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.w.get()));
    }
    QtDialogs boxes;
};

} // namespace

// Each box shows a file name as it is, never as markup, and reads clearly over the window's look.
TEST_F(RealDialogs, FileCommandsShowFileNamesAsTheyAre)
{
    const QString odd = tree.path("roms/a<b>c.zip");
    const QString ask = QStringLiteral("Do you want to delete \"%1\"?").arg(odd);
    test::selectFile(w().File1, "a<b>c.zip");
    ModalUser user({answer(ask, Qt::Key_Escape), answer(QStringLiteral("Delete of \"%1\" aborted.").arg(odd), Qt::Key_Return),
                    answer("a<b>c.zip's new name?", Qt::Key_Return, "x/<i>y.zip"),
                    answer("Error: x/<i>y.zip is not a valid file name.", Qt::Key_Return), answer(ask, Qt::Key_Y)});
    menus().mnudelzip->trigger();
    menus().mnurenamezip->trigger();
    EXPECT_TRUE(QFile::exists(odd));
    menus().mnudelzip->trigger();
    EXPECT_TRUE(user.steps.isEmpty());
    EXPECT_FALSE(QFile::exists(odd));

    // A rename, then Cancel in the input box.
    test::selectFile(w().File1, "plain.zip");
    ModalUser rename({answer("plain.zip's new name?", Qt::Key_Return, "<i>y.zip"),
                      answer("<i>y.zip's new name?", Qt::Key_Escape), answer("Rename Cancelled!", Qt::Key_Return)});
    menus().mnurenamezip->trigger();
    EXPECT_TRUE(QFile::exists(tree.path("roms/<i>y.zip")));
    test::selectFile(w().File1, "<i>y.zip");
    menus().mnurenamezip->trigger();
    EXPECT_TRUE(rename.steps.isEmpty());
}
