#pragma once

#include <QWidget>

class QAction;
class QMenu;

namespace tavrel {

class DirList;
class FileList;
class form1;

// The menu form: loaded at start-up, never shown; it only holds the pop-up menus.
class Menus : public QWidget {
    Q_OBJECT
public:
    explicit Menus(form1& form);
    ~Menus() override;

    QMenu* mnudir = nullptr;
    QMenu* bmpmenu = nullptr;
    QMenu* rommenu = nullptr;
    QMenu* mnuclose = nullptr;
    QMenu* picmenu = nullptr;

    QAction* mnudirrefresh = nullptr;
    QAction* blahblasdjaksjdla = nullptr;
    QAction* refreshpic = nullptr;
    QAction* mnudelbmp = nullptr;
    QAction* renamebmp = nullptr;
    QAction* mnutemp1 = nullptr;
    QAction* mnurefresh1 = nullptr;
    QAction* mnudelzip = nullptr;
    QAction* mnurenamezip = nullptr;
    QAction* mnumini = nullptr;
    QAction* mnucloser = nullptr;
    QAction* mnupicmenublah = nullptr;
    QAction* mnupic1 = nullptr;
    QAction* mnupic2 = nullptr;
    QAction* mnupic3 = nullptr;
    QAction* mnupic4 = nullptr;
    QAction* mnupic5 = nullptr;
    QAction* mnuloadpicselect = nullptr;

    void mnumini_Click();
    void mnucloser_Click();
    void mnupic1_Click();
    void mnupic2_Click();
    void mnupic3_Click();
    void mnupic4_Click();
    void mnupic5_Click();
    void mnuloadpicselect_Click();
    void mnurefresh1_Click();
    void refreshpic_Click();
    void mnudirrefresh_Click();
    void mnudelzip_Click();
    void mnudelbmp_Click();
    void mnurenamezip_Click();
    void renamebmp_Click();

private:
    void showPicture(int slot);
    void deleteSelected(FileList* files, DirList* dirs);
    void renameSelected(FileList* files, DirList* dirs);
    void refreshFiles(FileList* files, bool keepSelection);

    form1& m_form;
};

} // namespace tavrel
