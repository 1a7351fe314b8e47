#pragma once

#include <QDialog>

class QLineEdit;

namespace tonvela {

// Relates two frequencies and the interval between them in cents: any two
// of the three fields give the third. Modeless; Close only hides it and the
// fields keep their texts. Changes nothing in the program.
class CentCalculator : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_BASE_FREQUENCY = 1067;
    static constexpr int IDC_CENTS = 1068;
    static constexpr int IDC_RESULT_FREQUENCY = 1069;
    static constexpr int IDC_CALCULATE = 1070;
    static constexpr int IDC_CLOSE = 1;

    explicit CentCalculator(QWidget* parent);

private:
    void calculate();

    QLineEdit* baseFrequency = nullptr;
    QLineEdit* cents = nullptr;
    QLineEdit* resultFrequency = nullptr;
};

} // namespace tonvela
