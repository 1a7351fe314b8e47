#pragma once

#include <QDialog>

namespace tonvela {

// The about box: the program's icon, name, the maker's notice, the version
// and the maker's web address. Its Donate button (also Escape) opens the
// donation page and leaves the box open; Close closes it.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_VERSION = 1052;
    static constexpr int IDC_DONATE = 2; // the cancel button
    static constexpr int IDC_CLOSE = 1;  // the OK button

    explicit CAboutDlg(QWidget* parent);

    void reject() override;

protected:
    // The title bar's close button only closes.
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tonvela
