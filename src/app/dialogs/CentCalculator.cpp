#include "app/dialogs/CentCalculator.h"

#include "app/dialogs/DialogControls.h"
#include "resources/StringIds.h"
#include "tools/CentCalculation.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tonvela {

CentCalculator::CentCalculator(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CentCalculator"));
    setWindowTitle(dialogText(IDS_CENT_CALC_TITLE));

    auto* group = new QGroupBox(dialogText(IDS_CENT_CALC_GROUP), this);
    auto* grid = new QGridLayout(group);
    baseFrequency = numberEdit(group, IDC_BASE_FREQUENCY, dialogText(IDS_BASE_FREQUENCY));
    cents = numberEdit(group, IDC_CENTS, dialogText(IDS_INTERVAL));
    resultFrequency = numberEdit(group, IDC_RESULT_FREQUENCY, dialogText(IDS_RESULT_FREQUENCY));
    const struct {
        int sign;
        QLineEdit* edit;
        int unit;
    } rows[] = {
        {0, baseFrequency, IDS_HZ},
        {IDS_PLUS, cents, IDS_CENT_UNIT},
        {IDS_EQUALS, resultFrequency, IDS_HZ},
    };
    for (int row = 0; row < 3; ++row) {
        if (rows[row].sign)
            grid->addWidget(new QLabel(dialogText(rows[row].sign), group), row, 0, Qt::AlignRight);
        grid->addWidget(rows[row].edit, row, 1);
        grid->addWidget(new QLabel(dialogText(rows[row].unit), group), row, 2);
    }
    auto* calculateButton = new QPushButton(dialogText(IDS_CALCULATE), group);
    identify(calculateButton, IDC_CALCULATE, calculateButton->text());
    calculateButton->setDefault(true);
    connect(calculateButton, &QPushButton::clicked, this, &CentCalculator::calculate);
    grid->addWidget(calculateButton, 3, 1);

    QPushButton* close = layToolWindow(this, group);
    close->setAutoDefault(false);
}

void CentCalculator::calculate() {
    CentCalculation calculation{baseFrequency->text().toStdString(), cents->text().toStdString(),
                                resultFrequency->text().toStdString()};
    if (!calculation.calculate())
        return;
    baseFrequency->setText(QString::fromStdString(calculation.f1));
    cents->setText(QString::fromStdString(calculation.cents));
    resultFrequency->setText(QString::fromStdString(calculation.f2));
}

} // namespace tonvela
