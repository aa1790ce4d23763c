#include "app/AccessibleNames.h"

#include "app/Controls.h"
#include "app/Form1.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tavrel {

namespace {
void name(QWidget* w, const QString& text, const QString& description = QString())
{
    w->setAccessibleName(text);
    if (!description.isEmpty())
        w->setAccessibleDescription(description);
}

} // namespace

void nameControls(form1& w)
{
    name(w.aboutframe, QStringLiteral("About Tavrel"));
    name(w.imageframe, QStringLiteral("Select Pictures"));
    name(w.Command3, QStringLiteral("ROMs"), QStringLiteral("Shows the ROM browser"));
    name(w.Command4, QStringLiteral("Settings"), QStringLiteral("Shows the emulator's settings"));
    name(w.Image2, QStringLiteral("Tavrel"), QStringLiteral("Drag to move the window"));
    name(w.Image6, QStringLiteral("Window menu"));
    name(w.Image1, w.Image1->toolTip().trimmed());
    name(w.Image3, QStringLiteral("About Tavrel"));
    name(w.Image4, QStringLiteral("Close About Tavrel"), QStringLiteral("The Tavrel banner"));
    name(w.Image5, QStringLiteral("Picture preview"));
    w.Label2->setAccessibleDescription(QStringLiteral("Opens the home page"));

    // The boxes are named by the captions beside them.
    w.Label3->setBuddy(w.Text2);
    w.Label9->setBuddy(w.Text3);

    name(w.Drive1, QStringLiteral("Drives"), QStringLiteral("The drive to browse for ROM archives"));
    name(w.Dir1, QStringLiteral("Directories"), QStringLiteral("The directory to browse for ROM archives"));
    name(w.File1, QStringLiteral("ROM archives"));
    name(w.Drive2, QStringLiteral("Drives"), QStringLiteral("The drive to look for pictures on"));
    name(w.Dir2, QStringLiteral("Directories"), QStringLiteral("The directory to look for pictures in"));
    name(w.File2, QStringLiteral("Picture files"));
    w.Drive1->view()->setAccessibleName(QStringLiteral("Drives"));
    w.Drive2->view()->setAccessibleName(QStringLiteral("Drives"));

    int slot = 1;
    for (ClickLabel* digit : {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14}) {
        name(digit, QStringLiteral("Picture slot %1").arg(slot), QStringLiteral("Chooses picture slot %1").arg(slot));
        ++slot;
    }
}

} // namespace tavrel
