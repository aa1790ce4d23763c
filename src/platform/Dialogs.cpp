#include "platform/Dialogs.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace tavrel {

namespace {
const QString kTitle = QStringLiteral("Tavrel");
}

// Texts carry file names, which may hold "<" and "&": they are shown as they
// are, never read as markup.

void QtDialogs::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::input(const QString& prompt)
{
    QInputDialog box(m_parent);
    box.setWindowTitle(kTitle);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    // The dialog offers no setting for its prompt's format; its one label is the prompt.
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace tavrel
