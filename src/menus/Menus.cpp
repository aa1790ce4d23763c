#include "menus/Menus.h"

#include "app/Form1.h"

#include <QMenu>

namespace tavrel {

namespace {

// The menus are the main window's pop-ups and its children: the menu form, never
// shown, then never becomes a window of its own for desktops and screen readers to find.
QMenu* menu(QWidget* window, const char* name, const QString& caption)
{
    auto* m = new QMenu(caption, window);
    m->setObjectName(QLatin1String(name));
    // The directory menu opens and closes with a separator: show them all.
    m->setSeparatorsCollapsible(false);
    return m;
}

QAction* item(QMenu* m, const char* name, const QString& caption)
{
    QAction* a = m->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

void separator(QMenu* m, const char* name)
{
    m->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

Menus::Menus(form1& form) : QWidget(nullptr), m_form(form)
{
    setObjectName(QStringLiteral("Menus"));

    mnudir = menu(&form, "mnudir", QStringLiteral("DirMenu"));
    separator(mnudir, "ajksladhkjahska");
    mnudirrefresh = item(mnudir, "mnudirrefresh", QStringLiteral("Refresh Directory"));
    separator(mnudir, "laksjdalkja");

    bmpmenu = menu(&form, "bmpmenu", QStringLiteral("BMP menu"));
    blahblasdjaksjdla = item(bmpmenu, "blahblasdjaksjdla", QStringLiteral("File Management"));
    separator(bmpmenu, "divideruga");
    refreshpic = item(bmpmenu, "refreshpic", QStringLiteral("(&1) Refresh Dir/File Lists"));
    mnudelbmp = item(bmpmenu, "mnudelbmp", QStringLiteral("(&2) Delete Image File"));
    renamebmp = item(bmpmenu, "renamebmp", QStringLiteral("(&3) Rename Image File"));

    rommenu = menu(&form, "rommenu", QStringLiteral("Rom menu"));
    mnutemp1 = item(rommenu, "mnutemp1", QStringLiteral("File Management"));
    separator(rommenu, "menutemp2");
    mnurefresh1 = item(rommenu, "mnurefresh1", QStringLiteral("(&1) Refresh Dir/File Lists"));
    mnudelzip = item(rommenu, "mnudelzip", QStringLiteral("(&2) Delete ZIP File"));
    mnurenamezip = item(rommenu, "mnurenamezip", QStringLiteral("(&3) Rename ZIP File"));

    mnuclose = menu(&form, "mnuclose", QStringLiteral("closemenu"));
    mnumini = item(mnuclose, "mnumini", QStringLiteral("Mi&nimize"));
    separator(mnuclose, "seperator");
    mnucloser = item(mnuclose, "mnucloser", QStringLiteral("&Close"));

    picmenu = menu(&form, "picmenu", QStringLiteral("Pic Menu"));
    mnupicmenublah = item(picmenu, "mnupicmenublah", QStringLiteral("Picture Menu"));
    separator(picmenu, "blahdivide");
    mnupic1 = item(picmenu, "mnupic1", QStringLiteral("Show Picture 1"));
    mnupic2 = item(picmenu, "mnupic2", QStringLiteral("Show Picture 2"));
    mnupic3 = item(picmenu, "mnupic3", QStringLiteral("Show Picture 3"));
    mnupic4 = item(picmenu, "mnupic4", QStringLiteral("Show Picture 4"));
    mnupic5 = item(picmenu, "mnupic5", QStringLiteral("Show Picture 5"));
    for (QAction* a : {mnupic1, mnupic2, mnupic3, mnupic4, mnupic5})
        a->setCheckable(true);
    mnupic1->setChecked(true);
    separator(picmenu, "divider");
    mnuloadpicselect = item(picmenu, "mnuloadpicselect", QStringLiteral("Select Pictures"));

    connect(mnumini, &QAction::triggered, this, &Menus::mnumini_Click);
    connect(mnucloser, &QAction::triggered, this, &Menus::mnucloser_Click);
    connect(mnupic1, &QAction::triggered, this, &Menus::mnupic1_Click);
    connect(mnupic2, &QAction::triggered, this, &Menus::mnupic2_Click);
    connect(mnupic3, &QAction::triggered, this, &Menus::mnupic3_Click);
    connect(mnupic4, &QAction::triggered, this, &Menus::mnupic4_Click);
    connect(mnupic5, &QAction::triggered, this, &Menus::mnupic5_Click);
    connect(mnuloadpicselect, &QAction::triggered, this, &Menus::mnuloadpicselect_Click);
    connect(mnurefresh1, &QAction::triggered, this, &Menus::mnurefresh1_Click);
    connect(refreshpic, &QAction::triggered, this, &Menus::refreshpic_Click);
    connect(mnudirrefresh, &QAction::triggered, this, &Menus::mnudirrefresh_Click);
    connect(mnudelzip, &QAction::triggered, this, &Menus::mnudelzip_Click);
    connect(mnudelbmp, &QAction::triggered, this, &Menus::mnudelbmp_Click);
    connect(mnurenamezip, &QAction::triggered, this, &Menus::mnurenamezip_Click);
    connect(renamebmp, &QAction::triggered, this, &Menus::renamebmp_Click);
}

Menus::~Menus() = default;

void Menus::mnumini_Click()
{
    m_form.Command7_Click();
}

void Menus::mnucloser_Click()
{
    m_form.Command8_Click();
}

} // namespace tavrel
