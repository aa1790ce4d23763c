#pragma once

#include "platform/Desktop.h"

#include <QString>
#include <QStringList>

namespace tavrel {

// Test double: records what the window asked of the desktop.
class RecordingDesktop final : public Desktop {
public:
    void openUrl(const QString& url) override { openedUrls << url; }
    bool startDetached(const QString& program, const QString& workingDirectory,
                       const QStringList& arguments = {}) override
    {
        started << program;
        startedWith << arguments;
        startedIn << workingDirectory;
        return startSucceeds;
    }
    void startWindowMove(QWidget*) override { ++moves; }
    void minimize(QWidget*) override { ++minimizes; }
    void exitProgram() override { ++exits; }

    QStringList openedUrls;
    QStringList started;
    QStringList startedIn;
    QList<QStringList> startedWith;
    bool startSucceeds = true;
    int moves = 0;
    int minimizes = 0;
    int exits = 0;
};

} // namespace tavrel
