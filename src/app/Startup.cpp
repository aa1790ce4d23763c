// Start-up and the save button: the eight default options and the pictures setting.
#include "app/Form1.h"

#include "app/Controls.h"
#include "menus/Menus.h"
#include "platform/Dialogs.h"
#include "settings/IniStore.h"
#include "settings/Options.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tavrel {

void form1::Form_Load()
{
    m_menus = std::make_unique<Menus>(*this);
    // All eight values are read before any control changes.
    const StoredOptions stored = readStoredOptions(settings());
    usepics = stored.pictures;

    if (usepics == QLatin1String("yes")) {
        Image1->show();
        Image3->hide();
        Label6->hide();
        // Checking the box raises its click; the guard keeps that from counting as the user's.
        picguard = QStringLiteral("yes");
        piccheck->setChecked(true);
    }
    if (usepics.isEmpty())
        usepics = QStringLiteral("no");

    OptionState state = optionState();
    applyStoredOptions(stored, state);
    setOptionState(state);

    Dir1_Change();
}

void form1::piccheck_Click()
{
    if (picguard == QLatin1String("yes")) {
        picguard = QStringLiteral("no");
        return;
    }
    usepics = usepics == QLatin1String("yes") ? QStringLiteral("no") : QStringLiteral("yes");
}

void form1::Command6_Click()
{
    const OptionState state = optionState();
    StoredOptions stored = storedFrom(state);
    usepics = stored.pictures;
    if (writeStoredOptions(settings(), stored)) {
        m_platform.dialogs.message(QStringLiteral("Settings saved! They will be used as defaults from now on."));
    } else {
        m_platform.dialogs.message(QStringLiteral("Error: Unable to save settings.\n") + inipath);
    }
}

} // namespace tavrel
