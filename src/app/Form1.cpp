#include "app/Form1.h"

#include "app/Controls.h"
#include "menus/Menus.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "settings/IniStore.h"
#include "settings/Options.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

namespace tavrel {

form1::form1(const ProgramFiles& files, Platform platform, QWidget* parent)
    : QWidget(parent), m_files(files), m_platform(platform)
{
    createControls();
    connectHandlers();
}

form1::~form1() = default;

void form1::connectHandlers()
{
    // Direct connections only: a handler runs to its end where its event is raised.
    connect(Image2, &ClickLabel::mouseMoved, this, &form1::Image2_MouseMove);
    connect(Image6, &ClickLabel::clicked, this, &form1::Image6_Click);
    connect(Command7, &QPushButton::clicked, this, &form1::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &form1::Command8_Click);
    connect(Command3, &QPushButton::clicked, this, &form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &form1::Command4_Click);
    connect(Image3, &ClickLabel::clicked, this, &form1::Image3_Click);
    connect(Image4, &ClickLabel::clicked, this, &form1::Image4_Click);
    connect(Label2, &ClickLabel::clicked, this, &form1::Label2_Click);
    // A change of the box by code raises its click as well, as start-up relies on.
    connect(piccheck, &QCheckBox::toggled, this, &form1::piccheck_Click);
    connect(Command6, &QPushButton::clicked, this, &form1::Command6_Click);
    // A drive list shows the volume of wherever its directory list went.
    connect(Dir1, &DirList::pathChanged, Drive1, [this] { Drive1->showVolumeOf(Dir1->path()); });
    connect(Dir2, &DirList::pathChanged, Drive2, [this] { Drive2->showVolumeOf(Dir2->path()); });
    connect(Drive1, &DriveList::driveChanged, this, &form1::Drive1_Change);
    connect(Dir1, &DirList::pathChanged, this, &form1::Dir1_Change);
    connect(Dir1, &DirList::openFailed, this, &form1::Dir_OpenFailed);
    connect(Drive2, &DriveList::driveChanged, this, &form1::Drive2_Change);
    connect(Dir2, &DirList::pathChanged, this, &form1::Dir2_Change);
    connect(Dir2, &DirList::openFailed, this, &form1::Dir_OpenFailed);
    connect(File2, &FileList::clicked, this, &form1::File2_Click);
    connect(Label10, &ClickLabel::clicked, this, &form1::Label10_Click);
    connect(Label11, &ClickLabel::clicked, this, &form1::Label11_Click);
    connect(Label12, &ClickLabel::clicked, this, &form1::Label12_Click);
    connect(Label13, &ClickLabel::clicked, this, &form1::Label13_Click);
    connect(Label14, &ClickLabel::clicked, this, &form1::Label14_Click);
    connect(Command14, &QPushButton::clicked, this, &form1::Command14_Click);
    connect(Command15, &QPushButton::clicked, this, &form1::Command15_Click);
    connect(Command9, &QPushButton::clicked, this, &form1::Command9_Click);
    connect(File1, &FileList::clicked, this, &form1::File1_Click);
    connect(Text2, &QLineEdit::textChanged, this, &form1::Text2_Change);
    connect(Command2, &QPushButton::clicked, this, &form1::Command2_Click);
    connect(Image1, &ClickLabel::clicked, this, &form1::Image1_Click);
    connect(Command1, &QPushButton::clicked, this, &form1::Command1_Click);
    connect(File1, &FileList::mouseDown, this, [this](Qt::MouseButton b) { File1_MouseDown(b); });
    connect(File2, &FileList::mouseDown, this, [this](Qt::MouseButton b) { File2_MouseDown(b); });
    connect(Dir1, &DirList::mouseDown, this, [this](Qt::MouseButton b) { Dir1_MouseDown(b); });
    connect(Dir2, &DirList::mouseDown, this, [this](Qt::MouseButton b) { Dir2_MouseDown(b); });
}

IniStore& form1::settings()
{
    inipath = settingsPath(m_files.dataDirectory);
    if (!m_settings || m_settings->filePath() != inipath)
        m_settings = std::make_unique<IniStore>(inipath);
    return *m_settings;
}

OptionState form1::optionState() const
{
    auto selected = [](std::initializer_list<QRadioButton*> group) {
        int i = 0;
        for (QRadioButton* b : group) {
            if (b->isChecked())
                return i;
            ++i;
        }
        return 0;
    };
    OptionState s;
    s.scanlines = selected({noscan, scanlines, quarterscan, halfscan, doublepixel});
    s.frameskip = selected({frm0, frm1, frm2, frm3, frm4});
    s.video = selected({video1, video2, video3});
    s.vsync = vsync->isChecked();
    s.joystick = joycheck->isChecked();
    s.skipAnalyse = skip->isChecked();
    s.pictures = piccheck->isChecked();
    s.exeName = Text3->text();
    return s;
}

void form1::setOptionState(const OptionState& s)
{
    QRadioButton* const scan[] = {noscan, scanlines, quarterscan, halfscan, doublepixel};
    QRadioButton* const skipFrames[] = {frm0, frm1, frm2, frm3, frm4};
    QRadioButton* const videoModes[] = {video1, video2, video3};
    scan[s.scanlines]->setChecked(true);
    vsync->setChecked(s.vsync);
    skipFrames[s.frameskip]->setChecked(true);
    joycheck->setChecked(s.joystick);
    videoModes[s.video]->setChecked(true);
    skip->setChecked(s.skipAnalyse);
    Text3->setText(s.exeName);
}

void form1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_background);
}

} // namespace tavrel
