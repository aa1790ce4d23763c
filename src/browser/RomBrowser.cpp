// The ROM browser: drive, directory and archive lists, the game path and the game's record.
#include "app/Form1.h"

#include "browser/GameRecord.h"
#include "menus/Menus.h"
#include "paths/Paths.h"
#include "platform/Dialogs.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/Drives.h"
#include "platform/FileList.h"
#include "settings/IniStore.h"

#include <QLabel>
#include <QLineEdit>

namespace tavrel {

void form1::Drive1_Change()
{
    changeDrive(Drive1, Dir1, File1);
}

bool form1::changeDrive(DriveList* drives, DirList* dirs, FileList* files)
{
    const QString before = dirs->path();
    if (!dirs->setPath(m_drives->currentDirectoryOf(drives->drive()))) {
        // Leave the lists where they were; only the drive list had moved.
        const QString drive = drives->drive();
        drives->restoreDrive(m_drives->volumeOf(before));
        m_platform.dialogs.message(QStringLiteral("Drive %1 cannot be read.").arg(drive));
        return false;
    }
    files->setPath(dirs->path());
    return true;
}

void form1::Dir_OpenFailed(const QString& path)
{
    m_platform.dialogs.message(QStringLiteral("Directory %1 cannot be read.").arg(path));
}

void form1::Dir1_Change()
{
    File1->setPath(Dir1->path());
    showFolderAsCurrentGame();
}

void form1::showFolderAsCurrentGame()
{
    showGamePath(gamePathOf(Dir1->path()));
    loadGameRecord();
}

void form1::File1_Click()
{
    showGamePath(gamePathOf(joinPath(Dir1->path(), File1->fileName())));
    loadGameRecord();
}

void form1::showGamePath(const QString& gamePath)
{
    text1->setText(gamePath);
    text1->setToolTip(gamePath);
}

void form1::loadGameRecord()
{
    const GameRecord record = readGameRecord(settings(), text1->text());
    Text2->setText(record.name);
    Text2->setToolTip(Text2->text());
    currentpic1 = record.pictures[0];
    currentpic2 = record.pictures[1];
    currentpic3 = record.pictures[2];
    currentpic4 = record.pictures[3];
    currentpic5 = record.pictures[4];
    if (m_menus)
        m_menus->mnupic1_Click();
}

void form1::reloadRecord()
{
    // A directory whose game path ends in "zip" takes the archive's road first;
    // the second test then brings the directory back.
    if (isArchiveGamePath(text1->text()))
        File1_Click();
    if (!isArchiveGamePath(text1->text()))
        Dir1_Change();
}

void form1::Text2_Change()
{
    Text2->setToolTip(Text2->text());
}

void form1::Command2_Click()
{
    if (!writeGameName(settings(), text1->text(), Text2->text())) {
        // Keep what the user typed: a reload would replace it with the old name.
        m_platform.dialogs.message(QStringLiteral("Error: Unable to save this game's name."));
        return;
    }
    reloadRecord();
}

} // namespace tavrel
