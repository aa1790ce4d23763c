// The browser and settings views, switched by the two tab buttons, and the about panel.
#include "app/Form1.h"

#include "app/About.h"
#include "app/Controls.h"
#include "platform/Desktop.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"

#include <QGroupBox>
#include <QLineEdit>

namespace tavrel {

namespace {
const QColor kActiveTab(128, 128, 128);
const QColor kInactiveTab(64, 64, 64);
} // namespace

void form1::Command3_Click()
{
    Label3->show();
    Text2->show();
    Command2->show();
    Command4->setBackColour(kInactiveTab);
    Command3->setBackColour(kActiveTab);
    Dir1->show();
    Drive1->show();
    File1->show();
    Label1->show();
    text1->show();
    Command1->show();
    Command6->hide();
    Frame1->hide();
    Frame2->hide();
    Frame3->hide();
    Frame4->hide();
    if (usepics != QLatin1String("yes")) {
        Image1->hide();
        Image3->show();
    } else {
        Image1->show();
        Image3->hide();
        Label6->hide();
    }
}

void form1::Command4_Click()
{
    Label3->hide();
    Text2->hide();
    Command2->hide();
    Image1->hide();
    Image3->show();
    Command3->setBackColour(kInactiveTab);
    Command4->setBackColour(kActiveTab);
    Dir1->hide();
    Drive1->hide();
    File1->hide();
    Label1->hide();
    text1->hide();
    Command1->hide();
    Command6->show();
    Frame1->show();
    Frame2->show();
    Frame3->show();
    Frame4->show();
}

void form1::Image3_Click()
{
    aboutframe->show();
    aboutframe->raise();
}

void form1::Image4_Click()
{
    aboutframe->hide();
}

void form1::Label2_Click()
{
    m_platform.desktop.openUrl(kHomePage);
}

} // namespace tavrel
