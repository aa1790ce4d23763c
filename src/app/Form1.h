#pragma once

#include "paths/ProgramFiles.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;

namespace tavrel {

class ClickLabel;
class Desktop;
class Dialogs;
class DirList;
class Drives;
class DriveList;
class FileList;
class IniStore;
class Menus;
class PictureButton;
class Shape;
struct OptionState;
class Volumes;

// What the window needs from the operating system and the user.
struct Platform {
    Dialogs& dialogs;
    Desktop& desktop;
    const Volumes& volumes;
};

// The main window. Controls keep their names: other code and people find them by them.
class form1 : public QWidget {
    Q_OBJECT
public:
    // files: the data directory (settings file, launch script) and the shell program.
    form1(const ProgramFiles& files, Platform platform, QWidget* parent = nullptr);
    ~form1() override;

    // Start-up: runs once, before the window is first shown.
    void Form_Load();

    // Title strip and window.
    void Image2_MouseMove(Qt::MouseButtons buttons);
    void Image6_Click();
    void Command7_Click();
    void Command8_Click();
    // Views and about panel.
    void Command3_Click();
    void Command4_Click();
    void Image3_Click();
    void Image4_Click();
    void Label2_Click();
    // Saving defaults.
    void piccheck_Click();
    void Command6_Click();
    // ROM browser and game records.
    void Drive1_Change();
    void Dir1_Change();
    void Dir_OpenFailed(const QString& path);
    void File1_Click();
    void Text2_Change();
    void Command2_Click();
    // The directory becomes the current game, as after a directory change but
    // without re-reading the file list: for a command that left File1 with no
    // file selected, so that Game Path never names a game nobody chose.
    void showFolderAsCurrentGame();
    // Re-reads the current game's record after it was written.
    void reloadRecord();
    // Picture selection panel.
    void Drive2_Change();
    void Dir2_Change();
    void File2_Click();
    void Label10_Click();
    void Label11_Click();
    void Label12_Click();
    void Label13_Click();
    void Label14_Click();
    void Command14_Click();
    void Command15_Click();
    void Command9_Click();
    // Launch.
    void Command1_Click();
    // Picture display.
    void Image1_Click();
    // Loads a picture into an image; when it cannot be shown, says so (the
    // failure text, or the stored-picture message when empty) and then clears
    // the image. False on failure.
    bool showPicture(ClickLabel* image, const QString& path, const QString& failure = {});
    const QString& currentpic(int slot) const;
    // Right clicks on the lists.
    void File1_MouseDown(Qt::MouseButton button);
    void File2_MouseDown(Qt::MouseButton button);
    void Dir1_MouseDown(Qt::MouseButton button);
    void Dir2_MouseDown(Qt::MouseButton button);

    Menus* menus() const { return m_menus.get(); }
    Platform& platform() { return m_platform; }
    const ProgramFiles& programFiles() const { return m_files; }

    // Title strip and window controls.
    ClickLabel* Image2 = nullptr;
    ClickLabel* Image6 = nullptr;
    PictureButton* Command7 = nullptr;
    PictureButton* Command8 = nullptr;
    // View buttons.
    PictureButton* Command3 = nullptr;
    PictureButton* Command4 = nullptr;
    // Browser view.
    DriveList* Drive1 = nullptr;
    DirList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr;
    PictureButton* Command2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* text1 = nullptr;
    PictureButton* Command1 = nullptr;
    ClickLabel* Image1 = nullptr;
    ClickLabel* Image3 = nullptr;
    QLabel* Label6 = nullptr;
    // Settings view.
    QGroupBox* Frame1 = nullptr;
    QRadioButton* noscan = nullptr;
    QRadioButton* scanlines = nullptr;
    QRadioButton* quarterscan = nullptr;
    QRadioButton* halfscan = nullptr;
    QRadioButton* doublepixel = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* frm0 = nullptr;
    QRadioButton* frm1 = nullptr;
    QRadioButton* frm2 = nullptr;
    QRadioButton* frm3 = nullptr;
    QRadioButton* frm4 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* video1 = nullptr;
    QRadioButton* video2 = nullptr;
    QRadioButton* video3 = nullptr;
    QCheckBox* vsync = nullptr;
    // Each option frame's buttons, with ids 0, 1, ... in the order above.
    QButtonGroup* scanlineOptions = nullptr;
    QButtonGroup* frameskipOptions = nullptr;
    QButtonGroup* videoOptions = nullptr;
    QGroupBox* Frame4 = nullptr;
    QCheckBox* joycheck = nullptr;
    QCheckBox* skip = nullptr;
    QCheckBox* piccheck = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Text3 = nullptr;
    PictureButton* Command6 = nullptr;
    // About panel.
    QFrame* aboutframe = nullptr;
    ClickLabel* Image4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label7 = nullptr;
    ClickLabel* Label2 = nullptr;
    // Picture selection panel.
    QFrame* imageframe = nullptr;
    DriveList* Drive2 = nullptr;
    DirList* Dir2 = nullptr;
    FileList* File2 = nullptr;
    ClickLabel* Image5 = nullptr;
    ClickLabel* Label10 = nullptr;
    ClickLabel* Label11 = nullptr;
    ClickLabel* Label12 = nullptr;
    ClickLabel* Label13 = nullptr;
    ClickLabel* Label14 = nullptr;
    Shape* Shape1 = nullptr;
    Shape* Shape2 = nullptr;
    Shape* Shape3 = nullptr;
    Shape* Shape4 = nullptr;
    Shape* Shape5 = nullptr;
    PictureButton* Command14 = nullptr;
    PictureButton* Command15 = nullptr;
    PictureButton* Command9 = nullptr;

    // Window state kept between handlers.
    QString inipath;
    QString usepics;
    QString picguard;
    QString currentpic1, currentpic2, currentpic3, currentpic4, currentpic5;
    QString pictname;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createTitleStrip();
    void createBrowserView();
    void createSettingsView();
    void createAboutPanel();
    void createPicturePanel();
    void setTabOrder();
    void connectHandlers();
    void dragWindow(Qt::MouseButtons buttons);
    void popUpOnRightButton(Qt::MouseButton button, QMenu* Menus::*menu);
    // Keyboard use: menus from the keyboard, and panels that keep the focus to themselves.
    void setUpKeyboard();
    void popUpAtFocus(QWidget* control, QMenu* menu);
    void popUpAfterClick(QWidget* control, QMenu* menu);
    void coverView(QWidget* panel);
    void uncoverView();
    void showGamePath(const QString& gamePath);
    bool changeDrive(DriveList* drives, DirList* dirs, FileList* files);
    void chooseSlot(int slot);
    void loadGameRecord();
    IniStore& settings();
    OptionState optionState() const;
    void setOptionState(const OptionState& state);

    ProgramFiles m_files;
    Platform m_platform;
    // The current directory of each drive, for both pairs of lists.
    std::unique_ptr<Drives> m_drives;
    std::unique_ptr<Menus> m_menus;
    std::unique_ptr<IniStore> m_settings;
    QPixmap m_background;
    // While a panel is shown: the controls it covers, hidden, and the control that had the focus.
    QList<QPointer<QWidget>> m_covered;
    QPointer<QWidget> m_focusBeforePanel;
};

} // namespace tavrel
