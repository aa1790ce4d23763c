// Builds every control of the main window at its place and size.
#include "app/Form1.h"

#include "app/About.h"
#include "app/AccessibleNames.h"
#include "app/Controls.h"
#include "app/Look.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/Drives.h"
#include "platform/FileList.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <initializer_list>

namespace tavrel {

namespace {

template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

PictureButton* pictureButton(QWidget* parent, const char* picture, const QSize& pictureSize,
                             const QString& tip, const QColor& back, void (*pointer)(QWidget*) = look::setPointer)
{
    auto* b = new PictureButton(parent);
    look::showArtwork(b, QLatin1String(picture));
    b->setIconSize(pictureSize);
    b->setToolTip(tip);
    // The picture is all a sighted user sees; the tooltip says it in words.
    b->setAccessibleName(tip.trimmed());
    b->setBackColour(back);
    pointer(b);
    return b;
}

PictureButton* textButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new PictureButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(tip);
    b->setAccessibleDescription(tip.trimmed());
    b->setFont(look::comic(12, true, false));
    look::setPointer(b);
    return b;
}

QRadioButton* option(QGroupBox* frame, const char* name, const QString& caption, int l, int t, int w, int h)
{
    auto* b = place(new QRadioButton(caption, frame), name, l, t, w, h);
    b->setFont(look::comic(12, false, true));
    return b;
}

// One frame's option buttons as a group whose ids are their places in it.
QButtonGroup* optionGroup(QGroupBox* frame, std::initializer_list<QRadioButton*> buttons)
{
    auto* group = new QButtonGroup(frame);
    int id = 0;
    for (QRadioButton* b : buttons)
        group->addButton(b, id++);
    return group;
}

QCheckBox* check(QGroupBox* frame, const char* name, const QString& caption, int l, int t, int w, int h)
{
    auto* b = place(new QCheckBox(caption, frame), name, l, t, w, h);
    b->setFont(look::comic(12, false, true));
    return b;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h)
{
    auto* f = place(new QGroupBox(caption, parent), name, l, t, w, h);
    f->setFont(look::comic(14.25, true, false));
    f->hide();
    return f;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int l, int t, int w, int h, const QFont& font)
{
    auto* lb = place(new QLabel(text, parent), name, l, t, w, h);
    lb->setFont(font);
    lb->setWordWrap(true);
    lb->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return lb;
}

template <typename List, typename... Args>
List* list(QWidget* parent, const char* name, int l, int t, int w, int h, Args&... args)
{
    auto* lst = place(new List(args..., parent), name, l, t, w, h);
    lst->setFont(look::comic(12, true, false));
    return lst;
}

// The window's look. Each rule styles only the direct children of the
// window's own containers (">" selects a child): the message and input boxes
// are children of the window too, and must keep the desktop's look.
QString own(const QStringList& selectors, const char* declarations)
{
    static const char* const containers[] = {"#form1",  "#Frame1",     "#Frame2",    "#Frame3",
                                              "#Frame4", "#aboutframe", "#imageframe"};
    QStringList scoped;
    for (const QString& selector : selectors)
        for (const char* container : containers)
            scoped << QLatin1String(container) + QStringLiteral(" > ") + selector;
    return scoped.join(QStringLiteral(", ")) + QStringLiteral(" { ") + QLatin1String(declarations)
        + QStringLiteral(" }\n");
}

QString own(std::initializer_list<const char*> selectors, const char* declarations)
{
    QStringList names;
    for (const char* selector : selectors)
        names << QLatin1String(selector);
    return own(names, declarations);
}

// A part of the scroll bars of the lists and of the drive lists' drop-downs.
QStringList bars(const char* part)
{
    return {QStringLiteral("QListView QScrollBar") + QLatin1String(part),
            QStringLiteral("QComboBox QAbstractItemView QScrollBar") + QLatin1String(part)};
}

QString windowLook()
{
    return own({"QGroupBox", "QListView", "QLineEdit", "QCheckBox", "QRadioButton", "QComboBox",
                "QComboBox QAbstractItemView"},
               "background-color: black; color: white;")
        + own({"QGroupBox"}, "border: 1px solid #6a6a8a; margin-top: 14px;")
        + own({"QGroupBox::title"}, "subcontrol-origin: margin; left: 8px; padding: 0 3px;")
        + own({"QListView", "QLineEdit", "QComboBox"},
              "border: 1px solid #6a6a8a; selection-background-color: #b0207f; selection-color: white;")
        // The arrow's button inside the box's border: at fractional scales the style's own one
        // rounds onto the lower border and hides it under the arrow.
        + own({"QComboBox::drop-down"},
              "subcontrol-origin: padding; subcontrol-position: center right; width: 20px; height: 20px;")
        + own({"QRadioButton::indicator", "QCheckBox::indicator"},
              "width: 12px; height: 12px; border: 1px solid #c8c8d8; background: black;")
        + own({"QRadioButton::indicator"}, "border-radius: 7px;")
        + own({"QRadioButton::indicator:checked"},
              "background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,"
              " stop:0 white, stop:0.5 #ff4fd8, stop:0.6 black);")
        + own({"QCheckBox::indicator:checked"}, "background: #ff4fd8; border-color: white;")
        + own({"QLabel"}, "color: white; background: transparent;")
        // The lists' scroll bars are dark like the lists, with a handle in the window's colours.
        + own(bars(":vertical"), "background: #0c0c14; width: 14px; border: none; border-left: 1px solid #6a6a8a;")
        + own(bars(":horizontal"), "background: #0c0c14; height: 14px; border: none; border-top: 1px solid #6a6a8a;")
        + own(bars("::handle"), "background: #4a4a6a; border-radius: 4px; margin: 2px;")
        + own(bars("::handle:vertical"), "min-height: 24px;")
        + own(bars("::handle:horizontal"), "min-width: 24px;")
        + own(bars("::handle:hover"), "background: #7a7a9a;")
        + own(bars("::handle:pressed"), "background: #b0207f;")
        + own(bars("::add-line") + bars("::sub-line"), "width: 0; height: 0; border: none; background: none;")
        + own(bars("::add-page") + bars("::sub-page"), "background: none;")
        + own({"QListView::corner"}, "background: #0c0c14;")
        + QStringLiteral("QLabel#text1 { background-color: black; border: 1px solid white; }"
                         "QLabel#Label9 { background-color: black; }"
                         "QLabel#Label6 { color: rgb(192, 192, 192); }"
                         "QFrame#aboutframe, QFrame#imageframe { background-color: black; }"
                         "QToolTip { color: black; background-color: #ffffe1; border: 1px solid black; }");
}

} // namespace

void form1::createControls()
{
    // Before any control exists: a control's interface is made the first time it is asked for.
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("Tavrel"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(640, 480);
    // The desktop asks for the icon in its own pixels: 16 and 32, twice that
    // on a doubled screen (the 16 one doubled is the 32 one).
    QIcon icon;
    icon.addFile(QStringLiteral(":/icon16.png"));
    icon.addFile(QStringLiteral(":/icon32.png"));
    icon.addFile(QStringLiteral(":/icon32@2x.png"));
    setWindowIcon(icon);
    look::followPixelRatio(this, [this](qreal ratio) {
        m_background = look::artworkPixmap(QStringLiteral("background"), ratio);
        update();
    });

    createBrowserView();
    createSettingsView();
    createTitleStrip();
    createAboutPanel();
    createPicturePanel();
    // Set once every control exists: a list's scroll bars are styled while the
    // list is still being built, before rules about lists can match them.
    setStyleSheet(windowLook());
    setTabOrder();
    nameControls(*this);
    new FocusMark(this);
}

void form1::createTitleStrip()
{
    Image2 = place(new ClickLabel(this), "Image2", 0, 0, 640, 28);
    look::showArtwork(Image2, QStringLiteral("titlestrip"));
    Image2->setScaledContents(true);
    Image6 = place(new ClickLabel(this), "Image6", 8, 0, 25, 25);
    // Alt+Space opens the window menu from the keyboard, so the spot needs no tab stop.
    Image6->makeActivatable(QAccessible::Button, false);
    Command7 = place(pictureButton(this, "minimize", {12, 14}, QStringLiteral(" Minimize Tavrel "),
                                   QColor(24, 16, 40), look::setWindowPointer),
                     "Command7", 592, 5, 16, 18);
    Command8 = place(pictureButton(this, "exit", {9, 11}, QStringLiteral(" Exit Tavrel "),
                                   QColor(24, 16, 40), look::setWindowPointer),
                     "Command8", 616, 5, 16, 18);

    Command3 = place(pictureButton(this, "browse", {112, 37}, QString(), QColor(128, 128, 128)),
                     "Command3", 40, 48, 161, 57);
    Command4 = place(pictureButton(this, "settings", {137, 38}, QString(), Qt::black),
                     "Command4", 216, 48, 161, 57);
}

void form1::createBrowserView()
{
    const QFont labelFont = look::sans(13.5, true, true);
    Drive1 = list<DriveList>(this, "Drive1", 24, 136, 369, 31, *m_drives);
    Dir1 = list<DirList>(this, "Dir1", 24, 176, 177, 281, *m_drives);
    File1 = list<FileList>(this, "File1", 208, 176, 185, 282);
    File1->setPattern(QStringLiteral("*.ZIP"));
    Label3 = label(this, "Label3", QStringLiteral("Game Name:"), 424, 216, 88, 61, labelFont);
    Text2 = place(new QLineEdit(this), "Text2", 413, 272, 213, 28);
    Text2->setFont(look::comic(12, true, false));
    Command2 = place(pictureButton(this, "savename", {69, 36},
                                   QStringLiteral(" Save this Game's Name "), Qt::black),
                     "Command2", 528, 216, 73, 41);
    Label1 = label(this, "Label1", QStringLiteral("Game Path:"), 424, 328, 88, 61, labelFont);
    text1 = place(new PathLabel(this), "text1", 413, 384, 213, 24);
    text1->setFont(look::comic(12, true, false));
    text1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Command1 = place(pictureButton(this, "launch", {67, 40}, QStringLiteral(" Launch NeoRAGE "),
                                   Qt::black),
                     "Command1", 528, 328, 73, 41);
    Image1 = place(new ClickLabel(this), "Image1", 416, 48, 201, 137);
    Image1->setToolTip(QStringLiteral(" Game's Image - Click to Change "));
    Image1->setScaledContents(true);
    Image1->setFrameShape(QFrame::Box);
    Image1->setStyleSheet(QStringLiteral("QLabel { border: 1px solid white; background: black; }"));
    look::setPointer(Image1);
    Image1->makeActivatable(QAccessible::Button, true);
    Image1->hide();
    Image3 = place(new ClickLabel(this), "Image3", 408, 72, 210, 43);
    look::showArtwork(Image3, QStringLiteral("logo"));
    look::setPointer(Image3);
    Image3->makeActivatable(QAccessible::Button, true);
    Label6 = label(this, "Label6", QStringLiteral("v0.62"), 568, 112, 65, 33, labelFont);
    Label6->hide();

    // The lists start where the process stands.
    Dir1->setPath(QDir::currentPath());
    File1->setPath(Dir1->path());
}

void form1::createSettingsView()
{
    Frame1 = frame(this, "Frame1", QStringLiteral("Scanlines"), 8, 136, 193, 201);
    noscan = option(Frame1, "noscan", QStringLiteral("None"), 32, 35, 129, 23);
    scanlines = option(Frame1, "scanlines", QStringLiteral("Normal"), 32, 67, 129, 23);
    quarterscan = option(Frame1, "quarterscan", QStringLiteral("25% Thinner"), 32, 99, 145, 23);
    halfscan = option(Frame1, "halfscan", QStringLiteral("50% Thinner"), 32, 131, 145, 23);
    doublepixel = option(Frame1, "doublepixel", QStringLiteral("Double Pixels"), 32, 163, 145, 23);
    scanlineOptions = optionGroup(Frame1, {noscan, scanlines, quarterscan, halfscan, doublepixel});
    noscan->setChecked(true);

    Frame2 = frame(this, "Frame2", QStringLiteral("Frameskip"), 216, 136, 193, 201);
    frm0 = option(Frame2, "frm0", QStringLiteral("No Skip"), 32, 35, 129, 23);
    frm1 = option(Frame2, "frm1", QStringLiteral("One Frame"), 32, 67, 129, 23);
    frm2 = option(Frame2, "frm2", QStringLiteral("Two Frames"), 32, 99, 145, 23);
    frm3 = option(Frame2, "frm3", QStringLiteral("Three Frames"), 32, 131, 153, 23);
    frm4 = option(Frame2, "frm4", QStringLiteral("Four Frames"), 32, 163, 145, 23);
    frameskipOptions = optionGroup(Frame2, {frm0, frm1, frm2, frm3, frm4});
    frm0->setChecked(true);

    Frame3 = frame(this, "Frame3", QStringLiteral("Video Mode"), 424, 136, 193, 201);
    video1 = option(Frame3, "video1", QStringLiteral("Default"), 48, 40, 105, 20);
    video2 = option(Frame3, "video2", QStringLiteral("VGA"), 48, 72, 97, 20);
    video3 = option(Frame3, "video3", QStringLiteral("Mode X"), 48, 104, 121, 20);
    videoOptions = optionGroup(Frame3, {video1, video2, video3});
    video1->setChecked(true);
    vsync = check(Frame3, "vsync", QStringLiteral("VSync"), 48, 152, 113, 25);

    Frame4 = frame(this, "Frame4", QStringLiteral("Misc Settings"), 88, 352, 537, 105);
    joycheck = check(Frame4, "joycheck", QStringLiteral("Force Joystick"), 40, 32, 185, 25);
    skip = check(Frame4, "skip", QStringLiteral("Skip Analyse"), 224, 32, 161, 25);
    piccheck = check(Frame4, "piccheck", QStringLiteral("Use Pictures"), 392, 32, 137, 25);
    Label9 = label(Frame4, "Label9", QStringLiteral(".EXE Name:"), 104, 67, 104, 27, look::comic(14.25, false, true));
    Label9->setWordWrap(false);
    Text3 = place(new QLineEdit(QStringLiteral("NeoRAGE.EXE"), Frame4), "Text3", 248, 64, 193, 33);
    Text3->setFont(look::comic(14.25, false, true));

    Command6 = place(pictureButton(this, "savesettings", {40, 33},
                                   QStringLiteral(" Save Settings to INI "), Qt::black),
                     "Command6", 19, 392, 57, 41);
    Command6->hide();
}

void form1::createAboutPanel()
{
    aboutframe = place(new QFrame(this), "aboutframe", 8, 32, 625, 441);
    aboutframe->setProperty(kPanelProperty, true);
    const QFont font = look::comic(15.75, true, true);
    Image4 = place(new ClickLabel(aboutframe), "Image4", 16, 48, 593, 155);
    look::showArtwork(Image4, QStringLiteral("banner"));
    Image4->setScaledContents(true);
    look::setPointer(Image4);
    Image4->makeActivatable(QAccessible::Button, true);
    auto centred = [&](QLabel* l) {
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return l;
    };
    Label5 = centred(label(aboutframe, "Label5", QStringLiteral("Use with NeoRAGE v.02d Beta 1"), 16, 256, 600, 29, font));
    Label8 = centred(label(aboutframe, "Label8", QStringLiteral("November 17, 1998"), 212, 288, 207, 29, font));
    Label7 = centred(label(aboutframe, "Label7", kMakerName, 16, 320, 599, 29, font));
    QFont link = font;
    link.setUnderline(true);
    Label2 = place(new ClickLabel(kHomePage, aboutframe), "Label2", 51, 352, 529, 29);
    Label2->setFont(link);
    centred(Label2);
    look::setPointer(Label2);
    Label2->makeActivatable(QAccessible::Link, true);
    aboutframe->hide();
}

void form1::createPicturePanel()
{
    imageframe = place(new QFrame(this), "imageframe", 8, 32, 625, 441);
    imageframe->setProperty(kPanelProperty, true);
    Drive2 = list<DriveList>(imageframe, "Drive2", 16, 72, 321, 31, *m_drives);
    Dir2 = list<DirList>(imageframe, "Dir2", 16, 120, 153, 256, *m_drives);
    File2 = list<FileList>(imageframe, "File2", 184, 120, 153, 255);
    File2->setPattern(QStringLiteral("*.BMP;*.JPG;*.GIF"));
    Dir2->setPath(QDir::currentPath());
    File2->setPath(Dir2->path());
    Image5 = place(new ClickLabel(imageframe), "Image5", 360, 104, 241, 193);
    Image5->setScaledContents(true);
    Image5->setStyleSheet(QStringLiteral("QLabel { border: 1px solid white; background: black; }"));
    look::setPointer(Image5);

    // The outlines are made before the digits so that they are drawn beneath them (an outline takes
    // no mouse events, so it is only a matter of drawing).
    Shape* shapes[5];
    ClickLabel* digits[5];
    for (int i = 0; i < 5; ++i) {
        shapes[i] = place(new Shape(imageframe), "", 344 + 56 * i, 40, 49, 49);
        shapes[i]->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        shapes[i]->hide();
    }
    for (int i = 0; i < 5; ++i) {
        digits[i] = place(new ClickLabel(QString::number(i + 1), imageframe), "", 357 + 56 * i, 45, 25, 33);
        digits[i]->setObjectName(QStringLiteral("Label%1").arg(10 + i));
        digits[i]->setFont(look::comic(20.25, true, true));
        digits[i]->makeActivatable(QAccessible::ListItem, true);
    }
    Shape1 = shapes[0], Shape2 = shapes[1], Shape3 = shapes[2], Shape4 = shapes[3], Shape5 = shapes[4];
    Label10 = digits[0], Label11 = digits[1], Label12 = digits[2], Label13 = digits[3], Label14 = digits[4];

    Command14 = place(textButton(imageframe, "Command14", QStringLiteral("Store"), QStringLiteral(" Saves current picture. ")),
                      "Command14", 360, 312, 76, 47);
    Command15 = place(textButton(imageframe, "Command15", QStringLiteral("Remove Pictures"),
                                 QStringLiteral(" Remove all pictures for this game! ")),
                      "Command15", 448, 312, 156, 47);
    Command9 = place(textButton(imageframe, "Command9", QStringLiteral("Finished Selecting"),
                                QStringLiteral(" Done selecting pictures. ")),
                     "Command9", 360, 368, 244, 47);
    imageframe->hide();
}

void form1::setTabOrder()
{
    // The pictures that open menus and panels follow the view buttons beside them; the slot digits
    // come before the buttons that store into them; the about panel's controls come last.
    const QList<QWidget*> order{Command3, Command4, Image1, Image3, noscan, scanlines, quarterscan, halfscan,
                                doublepixel, frm0, frm1, frm2, frm3, frm4, video1, video2, video3, vsync, joycheck,
                                skip, Command1, Dir1, File1, Drive1, Command6, Command8, Command7, piccheck,
                                Command2, Text2, Drive2, Command9, File2, Dir2, Text3, Label10, Label11, Label12,
                                Label13, Label14, Command14, Command15, Image4, Label2};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    tabToSelectedOption({noscan, scanlines, quarterscan, halfscan, doublepixel});
    tabToSelectedOption({frm0, frm1, frm2, frm3, frm4});
    tabToSelectedOption({video1, video2, video3});
}

} // namespace tavrel
