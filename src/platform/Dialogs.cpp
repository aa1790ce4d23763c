#include "platform/Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tavrel {

namespace {
const QString kTitle = QStringLiteral("Tavrel");
}

void QtDialogs::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtDialogs::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::input(const QString& prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, kTitle, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

} // namespace tavrel
