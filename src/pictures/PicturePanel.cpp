// The picture selection panel: browsing picture files, the five slots, Store,
// Remove Pictures and Finished Selecting.
#include "app/Form1.h"

#include "app/Controls.h"
#include "browser/GameRecord.h"
#include "menus/Menus.h"
#include "paths/Paths.h"
#include "platform/Dialogs.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"

#include <QLabel>

namespace tavrel {

void form1::Drive2_Change()
{
    changeDrive(Drive2, Dir2, File2);
}

void form1::Dir2_Change()
{
    File2->setPath(Dir2->path());
}

void form1::File2_Click()
{
    showPicture(Image5, joinPath(Dir2->path(), File2->fileName()), QStringLiteral("Error: Unable to load picture."));
}

void form1::chooseSlot(int slot)
{
    Shape* const shapes[] = {Shape1, Shape2, Shape3, Shape4, Shape5};
    ClickLabel* const digits[] = {Label10, Label11, Label12, Label13, Label14};
    for (int i = 0; i < 5; ++i) {
        shapes[i]->setVisible(i + 1 == slot);
        digits[i]->setSelected(i + 1 == slot);
    }
    showPicture(Image5, currentpic(slot));
}

void form1::Label10_Click() { chooseSlot(1); }
void form1::Label11_Click() { chooseSlot(2); }
void form1::Label12_Click() { chooseSlot(3); }
void form1::Label13_Click() { chooseSlot(4); }
void form1::Label14_Click() { chooseSlot(5); }

void form1::Command14_Click()
{
    const QString name = File2->fileName();
    if (name.isEmpty())
        return;
    pictname = joinPath(File2->path(), name);
    // The chosen slot is the one whose outline is shown.
    const Shape* const shapes[] = {Shape1, Shape2, Shape3, Shape4, Shape5};
    int slot = 0;
    for (int i = 0; i < 5 && slot == 0; ++i) {
        if (!shapes[i]->isHidden())
            slot = i + 1;
    }
    if (slot == 0)
        return;
    if (!writePicture(settings(), text1->text(), slot, pictname)) {
        m_platform.dialogs.message(QStringLiteral("Error: Unable to store the picture."));
        return;
    }
    m_platform.dialogs.message(QStringLiteral("Picture %1 for %2 stored.").arg(slot).arg(text1->text()));
}

void form1::Command15_Click()
{
    if (!removePictures(settings(), text1->text())) {
        m_platform.dialogs.message(QStringLiteral("Error: Unable to remove the pictures."));
        return;
    }
    m_platform.dialogs.message(QStringLiteral("Picture references for %1 removed!\n"
                                              "You do not have to hit 'Store' to save this.")
                                   .arg(text1->text()));
}

void form1::Command9_Click()
{
    imageframe->hide();
    reloadRecord();
}

void Menus::mnuloadpicselect_Click()
{
    m_form.imageframe->show();
    m_form.imageframe->raise();
    m_form.Drive2->refresh();
    m_form.Dir2->refresh();
    // The user's directory and file stay as they were left.
    m_form.File2->refreshKeepingSelection();
    m_form.Label10_Click();
}

} // namespace tavrel
