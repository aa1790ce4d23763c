#pragma once

#include "paths/ProgramFiles.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Volumes.h"

#include <QString>

#include <memory>

namespace tavrel {

class form1;

// The program as it starts: the real dialogs and desktop, the window loaded and shown centred.
class Application {
public:
    explicit Application(const ProgramFiles& files);
    ~Application();
    form1& window() { return *m_window; }

private:
    QtDialogs m_dialogs;
    QtDesktop m_desktop;
    QtVolumes m_volumes;
    std::unique_ptr<form1> m_window;
};

// The directory of the running executable, with its trailing "/".
QString programDirectory();

// Where this run keeps its data and finds its shell program, from what lies around the executable.
ProgramFiles programFiles();

} // namespace tavrel
