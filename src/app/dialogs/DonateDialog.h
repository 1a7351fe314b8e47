#pragma once

#include <QDialog>

namespace tonvela {

// Asks the user to consider a donation after so many hours of use. exec()
// returns the id of the button chosen, or 0 when the dialog was closed
// otherwise (Escape, the title bar).
class DonateDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_TEXT = 1112;
    static constexpr int IDC_DONATE = 1110;
    static constexpr int IDC_LATER = 3;
    static constexpr int IDC_DONT_DONATE = 1111;

    DonateDialog(int hours, QWidget* parent);
};

} // namespace tonvela
