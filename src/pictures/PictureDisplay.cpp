// The game's picture in the browser view and the picture menu's show commands.
#include "app/Form1.h"

#include "app/Controls.h"
#include "menus/Menus.h"
#include "platform/Dialogs.h"
#include "platform/Pictures.h"

#include <QAction>
#include <QMenu>

namespace tavrel {

namespace {
const QString kBadPicture = QStringLiteral(
    "Error: Either this is an invalid image, or\nthe file is not there. Use a JPG, BMP, or GIF.");
} // namespace

bool form1::showPicture(ClickLabel* image, const QString& path, const QString& failure)
{
    if (path.isEmpty()) {
        image->clear();
        return true;
    }
    // Decoded at the device pixels the image covers, so that it stays sharp on
    // a scaled screen, and shown at its logical size.
    const qreal ratio = image->devicePixelRatioF();
    const PictureLoad load = loadPicture(path, decodeSizeFor(image->contentsRect().size(), ratio));
    if (!load.ok) {
        // The picture shown before stays until the message is dismissed.
        m_platform.dialogs.message(failure.isEmpty() ? kBadPicture : failure);
        image->clear();
        return false;
    }
    QPixmap pixmap = QPixmap::fromImage(load.image);
    pixmap.setDevicePixelRatio(ratio);
    image->setPixmap(pixmap);
    return true;
}

const QString& form1::currentpic(int slot) const
{
    const QString* const pics[] = {&currentpic1, &currentpic2, &currentpic3, &currentpic4, &currentpic5};
    return *pics[slot - 1];
}

void form1::Image1_Click()
{
    if (m_menus)
        popUpAfterClick(Image1, m_menus->picmenu);
}

void Menus::showPicture(int slot)
{
    QAction* const items[] = {mnupic1, mnupic2, mnupic3, mnupic4, mnupic5};
    for (int i = 0; i < 5; ++i)
        items[i]->setChecked(i + 1 == slot);
    m_form.showPicture(m_form.Image1, m_form.currentpic(slot));
}

void Menus::mnupic1_Click() { showPicture(1); }
void Menus::mnupic2_Click() { showPicture(2); }
void Menus::mnupic3_Click() { showPicture(3); }
void Menus::mnupic4_Click() { showPicture(4); }
void Menus::mnupic5_Click() { showPicture(5); }

} // namespace tavrel
