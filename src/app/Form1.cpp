#include "app/Form1.h"

#include "app/Controls.h"
#include "menus/Menus.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/Drives.h"
#include "platform/FileList.h"
#include "settings/IniStore.h"
#include "settings/Options.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>

namespace tavrel {

form1::form1(const ProgramFiles& files, Platform platform, QWidget* parent)
    : QWidget(parent), m_files(files), m_platform(platform), m_drives(std::make_unique<Drives>(platform.volumes))
{
    createControls();
    connectHandlers();
    setUpKeyboard();
}

form1::~form1() = default;

void form1::connectHandlers()
{
    // Direct connections only, named so that none can turn queued: a handler runs to its end where its
    // event is raised.
    const auto direct = [](auto... args) { QObject::connect(args..., Qt::DirectConnection); };
    direct(Image2, &ClickLabel::mouseMoved, this, &form1::Image2_MouseMove);
    direct(Image6, &ClickLabel::clicked, this, &form1::Image6_Click);
    direct(Command7, &QPushButton::clicked, this, &form1::Command7_Click);
    direct(Command8, &QPushButton::clicked, this, &form1::Command8_Click);
    direct(Command3, &QPushButton::clicked, this, &form1::Command3_Click);
    direct(Command4, &QPushButton::clicked, this, &form1::Command4_Click);
    direct(Image3, &ClickLabel::clicked, this, &form1::Image3_Click);
    direct(Image4, &ClickLabel::clicked, this, &form1::Image4_Click);
    direct(Label2, &ClickLabel::clicked, this, &form1::Label2_Click);
    // A change of the box by code raises its click as well, as start-up relies on.
    direct(piccheck, &QCheckBox::toggled, this, &form1::piccheck_Click);
    direct(Command6, &QPushButton::clicked, this, &form1::Command6_Click);
    // A drive list shows the volume of wherever its directory list went.
    direct(Dir1, &DirList::pathChanged, Drive1, [this] { Drive1->showVolumeOf(Dir1->path()); });
    direct(Dir2, &DirList::pathChanged, Drive2, [this] { Drive2->showVolumeOf(Dir2->path()); });
    direct(Drive1, &DriveList::driveChanged, this, &form1::Drive1_Change);
    direct(Dir1, &DirList::pathChanged, this, &form1::Dir1_Change);
    direct(Dir1, &DirList::openFailed, this, &form1::Dir_OpenFailed);
    direct(Drive2, &DriveList::driveChanged, this, &form1::Drive2_Change);
    direct(Dir2, &DirList::pathChanged, this, &form1::Dir2_Change);
    direct(Dir2, &DirList::openFailed, this, &form1::Dir_OpenFailed);
    direct(File2, &FileList::clicked, this, &form1::File2_Click);
    direct(Label10, &ClickLabel::clicked, this, &form1::Label10_Click);
    direct(Label11, &ClickLabel::clicked, this, &form1::Label11_Click);
    direct(Label12, &ClickLabel::clicked, this, &form1::Label12_Click);
    direct(Label13, &ClickLabel::clicked, this, &form1::Label13_Click);
    direct(Label14, &ClickLabel::clicked, this, &form1::Label14_Click);
    direct(Command14, &QPushButton::clicked, this, &form1::Command14_Click);
    direct(Command15, &QPushButton::clicked, this, &form1::Command15_Click);
    direct(Command9, &QPushButton::clicked, this, &form1::Command9_Click);
    direct(File1, &FileList::clicked, this, &form1::File1_Click);
    direct(Text2, &QLineEdit::textChanged, this, &form1::Text2_Change);
    // Enter in the name box saves the name, as the button beside it does.
    direct(Text2, &QLineEdit::returnPressed, this, &form1::Command2_Click);
    direct(Command2, &QPushButton::clicked, this, &form1::Command2_Click);
    direct(Image1, &ClickLabel::clicked, this, &form1::Image1_Click);
    direct(Command1, &QPushButton::clicked, this, &form1::Command1_Click);
    direct(File1, &FileList::mouseDown, this, [this](Qt::MouseButton b) { File1_MouseDown(b); });
    direct(File2, &FileList::mouseDown, this, [this](Qt::MouseButton b) { File2_MouseDown(b); });
    direct(Dir1, &DirList::mouseDown, this, [this](Qt::MouseButton b) { Dir1_MouseDown(b); });
    direct(Dir2, &DirList::mouseDown, this, [this](Qt::MouseButton b) { Dir2_MouseDown(b); });
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
    // With none checked, the first option counts.
    auto selected = [](const QButtonGroup* group) { return std::max(group->checkedId(), 0); };
    OptionState s;
    s.scanlines = selected(scanlineOptions);
    s.frameskip = selected(frameskipOptions);
    s.video = selected(videoOptions);
    s.vsync = vsync->isChecked();
    s.joystick = joycheck->isChecked();
    s.skipAnalyse = skip->isChecked();
    s.pictures = piccheck->isChecked();
    s.exeName = Text3->text();
    return s;
}

void form1::setOptionState(const OptionState& s)
{
    scanlineOptions->button(s.scanlines)->setChecked(true);
    vsync->setChecked(s.vsync);
    frameskipOptions->button(s.frameskip)->setChecked(true);
    joycheck->setChecked(s.joystick);
    videoOptions->button(s.video)->setChecked(true);
    skip->setChecked(s.skipAnalyse);
    Text3->setText(s.exeName);
}

void form1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_background);
}

} // namespace tavrel
