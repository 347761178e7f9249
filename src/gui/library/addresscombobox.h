#pragma once

#include <QComboBox>

// A combo box that says when its list is about to open, so a list that costs a query to read
// is read only when the user looks at it.
class AddressComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

Q_SIGNALS:
    void popupAboutToShow();
};
