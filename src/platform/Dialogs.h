#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tavrel {

// Everything that asks the user something goes through here, so that tests can
// script the answers and no other code shows a dialog itself.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An information or error message: title "Tavrel", OK only, no icon.
    virtual void message(const QString& text) = 0;
    // A Yes/No question with the question icon, No as the default. True for Yes.
    virtual bool confirm(const QString& text) = 0;
    // A one-line input box with an empty field. Cancel gives the empty text.
    virtual QString input(const QString& prompt) = 0;
};

class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    QString input(const QString& prompt) override;

private:
    QWidget* m_parent;
};

} // namespace tavrel
