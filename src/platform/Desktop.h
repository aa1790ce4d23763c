#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace tavrel {

// The desktop operations the window asks for; tests substitute a recorder.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens a web address in the user's browser; the outcome is not reported.
    virtual void openUrl(const QString& url) = 0;
    // Starts a program with its arguments without waiting for it. False when it could not be started.
    virtual bool startDetached(const QString& program, const QString& workingDirectory,
                               const QStringList& arguments = {}) = 0;
    // Moves the window with the mouse until the left button is let go, as a title-bar drag does.
    virtual void startWindowMove(QWidget* window) = 0;
    virtual void minimize(QWidget* window) = 0;
    // Ends the program at once.
    virtual void exitProgram() = 0;
};

class WindowMover;

class QtDesktop final : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;
    void openUrl(const QString& url) override;
    bool startDetached(const QString& program, const QString& workingDirectory,
                       const QStringList& arguments = {}) override;
    void startWindowMove(QWidget* window) override;
    void minimize(QWidget* window) override;
    void exitProgram() override;

private:
    std::unique_ptr<WindowMover> m_mover;
};

} // namespace tavrel
