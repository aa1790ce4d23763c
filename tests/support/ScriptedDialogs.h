#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tavrel {

// Test double: records what was shown and answers from a script.
class ScriptedDialogs final : public Dialogs {
public:
    void message(const QString& text) override
    {
        shown << text;
        if (onMessage)
            onMessage(text);   // lets a test look at the window while the message is up
    }
    bool confirm(const QString& text) override
    {
        shown << text;
        if (onAsk)
            onAsk();
        return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
    }
    QString input(const QString& prompt) override
    {
        shown << prompt;
        if (onAsk)
            onAsk();
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }

    QStringList shown;
    QList<bool> confirmAnswers;
    QStringList inputAnswers;
    std::function<void(const QString&)> onMessage;
    std::function<void()> onAsk;   // runs while a question is up
};

} // namespace tavrel
