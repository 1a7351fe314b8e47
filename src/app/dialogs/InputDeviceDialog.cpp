#include "app/dialogs/InputDeviceDialog.h"

#include "app/dialogs/SettingsDialogIds.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "audio/SoundDeviceManager.h"
#include "resources/StringIds.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tonvela {

InputDeviceDialog::InputDeviceDialog(const SoundDeviceManager& manager,
                                     const std::string& savedName, QWidget* parent)
    : QDialog(parent), manager(manager) {
    setObjectName(QStringLiteral("InputDeviceDialog"));
    setWindowTitle(dialogText(IDS_INPUT_DEVICE_TITLE));

    auto* box = new QGroupBox(dialogText(IDS_INPUT_DEVICE_GROUP));
    auto* column = new QVBoxLayout(box);
    list = new QComboBox;
    identify(list, IDC_DEVICE_LIST, box->title());
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMinimumContentsLength(40);
    column->addWidget(list);

    // The list is sorted by name, ignoring case; devices of equal names keep
    // the platform's order. Each entry carries its device's index.
    std::vector<int> order;
    for (int i = 0; i < manager.getDeviceCount(); ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&manager](int a, int b) {
        return QString::fromStdString(manager.getDevice(a)->getName())
                   .compare(QString::fromStdString(manager.getDevice(b)->getName()),
                            Qt::CaseInsensitive) < 0;
    });
    int current = -1;
    for (int index : order) {
        const SoundDevice* device = manager.getDevice(index);
        if (device == manager.getSelectedDevice())
            current = list->count();
        list->addItem(QString::fromStdString(device->getName()), index);
    }
    if (list->count() == 1)
        current = 0;
    else if (list->count() > 1 && current < 0)
        current = 0;
    list->setCurrentIndex(current);

    // With several devices and none of them the saved one, the program
    // measures the system's default input: say so rather than let the user
    // wonder why nothing is measured.
    missing = new QLabel;
    missing->setObjectName(QStringLiteral("MissingDevice"));
    missing->setWordWrap(true);
    const bool gone = manager.getDeviceCount() > 1 && !manager.getSelectedDevice() &&
                      !savedName.empty() && savedName != "null";
    if (gone)
        missing->setText(
            dialogText(IDS_SAVED_DEVICE_MISSING).arg(QString::fromStdString(savedName)));
    missing->setHidden(!gone);
    column->addWidget(missing);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(okCancelButtons(this));
}

bool InputDeviceDialog::showsMissingDevice() const {
    return !missing->isHidden();
}

void InputDeviceDialog::accept() {
    selectedIndex = list->currentIndex();
    selectedDevice =
        selectedIndex >= 0 ? manager.getDevice(list->itemData(selectedIndex).toInt()) : nullptr;
    QDialog::accept();
}

} // namespace tonvela
