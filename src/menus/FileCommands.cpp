// The pop-up menus' file commands: refresh the lists, delete or rename the selected file.
#include "menus/Menus.h"

#include "app/Form1.h"
#include "paths/Paths.h"
#include "platform/Dialogs.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "platform/FileOps.h"

#include <QFileInfo>

namespace tavrel {

namespace {

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool validName(const QString& name)
{
    // The typed text is a name in the same directory, never a path elsewhere.
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) && name != QLatin1String(".")
        && name != QLatin1String("..");
}

bool occupied(const QString& path)
{
    QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

void Menus::deleteSelected(FileList* files, DirList* dirs)
{
    const QString name = files->fileName();
    if (name.isEmpty())
        return;
    const QString path = joinPath(dirs->path(), name);
    Dialogs& dialogs = m_form.platform().dialogs;
    if (!dialogs.confirm(QStringLiteral("Do you want to delete ") + quoted(path) + QLatin1Char('?'))) {
        dialogs.message(QStringLiteral("Delete of ") + quoted(path) + QStringLiteral(" aborted."));
        return;
    }
    const FileResult result = deleteFile(path);
    if (!result.ok)
        dialogs.message(QStringLiteral("Error: Unable to delete ") + quoted(path) + QStringLiteral(".\n") + result.reason);
    refreshFiles(files, true);
}

void Menus::renameSelected(FileList* files, DirList* dirs)
{
    const QString name = files->fileName();
    if (name.isEmpty())
        return;
    const QString dir = withTrailingSlash(dirs->path());
    Dialogs& dialogs = m_form.platform().dialogs;
    const QString typed = dialogs.input(name + QStringLiteral("'s new name?"));
    if (typed.isEmpty()) {
        dialogs.message(QStringLiteral("Rename Cancelled!"));
        return;
    }
    if (!validName(typed)) {
        dialogs.message(QStringLiteral("Error: %1 is not a valid file name.").arg(typed));
        return;
    }
    if (occupied(dir + typed)) {
        dialogs.message(QStringLiteral("Error: A file named %1 already exists.").arg(typed));
        return;
    }
    const FileResult result = renameWithoutReplacing(dir + name, dir + typed);
    if (!result.ok)
        dialogs.message(QStringLiteral("Error: Unable to rename ") + quoted(dir + name) + QStringLiteral(".\n")
                        + result.reason);
    refreshFiles(files, true);
}

void Menus::refreshFiles(FileList* files, bool keepSelection)
{
    // After a delete or rename a file still listed stays selected, so that a
    // refused delete can be chosen again; a refresh leaves nothing selected.
    // When File1 loses its file, the folder becomes the current game: Game
    // Path and a launch then agree.
    const bool hadFile = !files->fileName().isEmpty();
    if (keepSelection)
        files->refreshKeepingSelection();
    else
        files->refresh();
    if (hadFile && files->fileName().isEmpty() && files == m_form.File1)
        m_form.showFolderAsCurrentGame();
}

void Menus::mnudelzip_Click()
{
    deleteSelected(m_form.File1, m_form.Dir1);
}

void Menus::mnudelbmp_Click()
{
    deleteSelected(m_form.File2, m_form.Dir2);
}

void Menus::mnurenamezip_Click()
{
    renameSelected(m_form.File1, m_form.Dir1);
}

void Menus::renamebmp_Click()
{
    renameSelected(m_form.File2, m_form.Dir2);
}

void Menus::mnurefresh1_Click()
{
    m_form.Drive1->refresh();
    m_form.Dir1->refresh();
    refreshFiles(m_form.File1, false);
}

void Menus::refreshpic_Click()
{
    m_form.Drive2->refresh();
    m_form.Dir2->refresh();
    m_form.File2->refresh();
}

void Menus::mnudirrefresh_Click()
{
    m_form.Drive1->refresh();
    m_form.Dir1->refresh();
    m_form.Drive2->refresh();
    m_form.Dir2->refresh();
}

} // namespace tavrel
