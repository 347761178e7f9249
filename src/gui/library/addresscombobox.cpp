#include "gui/library/addresscombobox.h"

void AddressComboBox::showPopup() {
    Q_EMIT popupAboutToShow();
    QComboBox::showPopup();
}
