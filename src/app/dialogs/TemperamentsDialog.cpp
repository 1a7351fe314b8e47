#include "app/dialogs/TemperamentsDialog.h"

#include "app/FileDialogs.h"
#include "app/dialogs/DialogDataExchange.h"
#include "app/dialogs/DialogSupport.h"
#include "app/dialogs/EditFullTemperamentDialog.h"
#include "app/dialogs/EditTemperamentDialog.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/QtBridge.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "state/Protocol.h"
#include "tuning/CustomScaleManager.h"
#include "tuning/ScalaFile.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>

namespace tonvela {

namespace {

QPushButton* button(int controlId, int textId, QWidget* parent) {
    auto* b = new QPushButton(dialogText(textId), parent);
    identify(b, controlId, b->text());
    b->setAutoDefault(false);
    return b;
}

// The group of one list: the list box and its three buttons beside it.
QGroupBox* listGroup(int titleId, QListWidget* list, QPushButton* add, QPushButton* edit,
                     QPushButton* remove, QWidget* parent) {
    auto* group = new QGroupBox(dialogText(titleId), parent);
    list->setParent(group);
    add->setParent(group);
    edit->setParent(group);
    remove->setParent(group);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout(group);
    row->addWidget(list, 1);
    row->addLayout(buttons);
    return group;
}

QListWidget* listBox(int controlId, int titleId) {
    auto* list = new QListWidget;
    identify(list, controlId, dialogText(titleId));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(280, 120);
    return list;
}

template <typename Scale>
const Scale* findByName(const std::vector<Scale>& list, const QString& name) {
    const std::string text = name.toStdString();
    for (const Scale& scale : list)
        if (scale.getEnglishName() == text)
            return &scale;
    return nullptr;
}

} // namespace

TemperamentsDialog::TemperamentsDialog(const CustomScaleManager& store, QWidget* parent)
    : QDialog(parent), simpleScales(store.getSimpleScales()), fullScales(store.getFullScales()) {
    setObjectName(QStringLiteral("TemperamentsDialog"));
    setWindowTitle(dialogText(IDS_TEMPERAMENTS_TITLE));

    simpleList = listBox(1057, IDS_SIMPLE_TEMPERAMENTS);
    fullList = listBox(1059, IDS_FULL_TEMPERAMENTS);
    QPushButton* simpleNew = button(1026, IDS_TEMPERAMENT_NEW, this);
    simpleEdit = button(1058, IDS_TEMPERAMENT_EDIT, this);
    simpleDelete = button(1031, IDS_TEMPERAMENT_DELETE, this);
    QPushButton* fullNew = button(1027, IDS_TEMPERAMENT_NEW, this);
    fullEdit = button(1060, IDS_TEMPERAMENT_EDIT, this);
    fullDelete = button(1032, IDS_TEMPERAMENT_DELETE, this);
    QPushButton* close = button(1, IDS_DLG_CLOSE, this);
    close->setDefault(true);
    QPushButton* importScala = button(IMPORT_SCALA_ID, IDS_SCALA_IMPORT, this);
    exportScala = button(EXPORT_SCALA_ID, IDS_SCALA_EXPORT, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        listGroup(IDS_SIMPLE_TEMPERAMENTS, simpleList, simpleNew, simpleEdit, simpleDelete, this));
    layout->addWidget(
        listGroup(IDS_FULL_TEMPERAMENTS, fullList, fullNew, fullEdit, fullDelete, this));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(importScala);
    bottom->addWidget(exportScala);
    bottom->addStretch(1);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    // The keyboard goes through each list and its buttons, then the rest.
    QWidget* const order[] = {simpleList, simpleNew,  simpleEdit,  simpleDelete, fullList, fullNew,
                              fullEdit,   fullDelete, importScala, exportScala,  close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    for (const DefaultToneScale& scale : simpleScales)
        addSorted(simpleList, QString::fromStdString(scale.getEnglishName()));
    for (const FullToneScale& scale : fullScales)
        addSorted(fullList, QString::fromStdString(scale.getEnglishName()));
    setButtons();

    connect(simpleList, &QListWidget::itemSelectionChanged, this, &TemperamentsDialog::setButtons);
    connect(fullList, &QListWidget::itemSelectionChanged, this, &TemperamentsDialog::setButtons);
    connect(simpleNew, &QPushButton::clicked, this, &TemperamentsDialog::onNewSimple);
    connect(fullNew, &QPushButton::clicked, this, &TemperamentsDialog::onNewFull);
    connect(simpleEdit, &QPushButton::clicked, this, &TemperamentsDialog::onEditSimple);
    connect(fullEdit, &QPushButton::clicked, this, &TemperamentsDialog::onEditFull);
    connect(simpleDelete, &QPushButton::clicked, this, &TemperamentsDialog::onDeleteSimple);
    connect(fullDelete, &QPushButton::clicked, this, &TemperamentsDialog::onDeleteFull);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(importScala, &QPushButton::clicked, this, &TemperamentsDialog::onImportScala);
    connect(exportScala, &QPushButton::clicked, this, &TemperamentsDialog::onExportScala);
    connect(simpleList, &QListWidget::itemDoubleClicked, this, &TemperamentsDialog::onEditSimple);
    connect(fullList, &QListWidget::itemDoubleClicked, this, &TemperamentsDialog::onEditFull);
}

void TemperamentsDialog::setButtons() {
    const auto selected = [](const QListWidget* list) {
        return static_cast<int>(list->selectedItems().size());
    };
    simpleEdit->setEnabled(selected(simpleList) == 1);
    simpleDelete->setEnabled(selected(simpleList) >= 1);
    fullEdit->setEnabled(selected(fullList) == 1);
    fullDelete->setEnabled(selected(fullList) >= 1);
    exportScala->setEnabled(selected(simpleList) + selected(fullList) == 1);
}

bool TemperamentsDialog::listHolds(const QListWidget* list, const QString& name, int except) {
    for (int row = 0; row < list->count(); ++row)
        if (row != except && list->item(row)->text().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The list boxes keep their items in order of their names, without regard
// to case.
int TemperamentsDialog::addSorted(QListWidget* list, const QString& name) {
    int row = 0;
    while (row < list->count() && list->item(row)->text().compare(name, Qt::CaseInsensitive) <= 0)
        ++row;
    list->insertItem(row, name);
    return row;
}

void TemperamentsDialog::selectOnly(QListWidget* list, int row) {
    list->clearSelection();
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TemperamentsDialog::onNewSimple() {
    addNewSimple(DefaultToneScale());
}

void TemperamentsDialog::addNewSimple(const DefaultToneScale& scale) {
    EditTemperamentDialog editor(
        scale, -1,
        [this](const QString& name) {
            return listHolds(fullList, name, -1) || listHolds(simpleList, name, -1);
        },
        this);
    if (editor.exec() != QDialog::Accepted)
        return;
    simpleScales.push_back(editor.scale);
    selectOnly(simpleList,
               addSorted(simpleList, QString::fromStdString(editor.scale.getEnglishName())));
    setButtons();
}

void TemperamentsDialog::onNewFull() {
    addNewFull(FullToneScale());
}

void TemperamentsDialog::addNewFull(const FullToneScale& scale) {
    EditFullTemperamentDialog editor(
        scale, -1,
        [this](const QString& name) {
            return listHolds(simpleList, name, -1) || listHolds(fullList, name, -1);
        },
        this);
    if (editor.exec() != QDialog::Accepted)
        return;
    fullScales.push_back(editor.scale);
    selectOnly(fullList,
               addSorted(fullList, QString::fromStdString(editor.scale.getEnglishName())));
    setButtons();
}

void TemperamentsDialog::onEditSimple() {
    const QList<QListWidgetItem*> selected = simpleList->selectedItems();
    if (selected.size() != 1)
        return;
    const QString text = selected.front()->text();
    const DefaultToneScale* found = findByName(simpleScales, text);
    if (!found)
        return;
    const int row = simpleList->row(selected.front());
    const std::size_t index = static_cast<std::size_t>(found - simpleScales.data());
    EditTemperamentDialog editor(
        *found, row,
        [this, row](const QString& name) {
            return listHolds(fullList, name, -1) || listHolds(simpleList, name, row);
        },
        this);
    if (editor.exec() != QDialog::Accepted)
        return;
    simpleScales[index] = editor.scale;
    const QString name = QString::fromStdString(editor.scale.getEnglishName());
    if (name != text) {
        delete simpleList->takeItem(row);
        selectOnly(simpleList, addSorted(simpleList, name));
    }
    setButtons();
}

void TemperamentsDialog::onEditFull() {
    const QList<QListWidgetItem*> selected = fullList->selectedItems();
    if (selected.size() != 1)
        return;
    const QString text = selected.front()->text();
    const FullToneScale* found = findByName(fullScales, text);
    if (!found)
        return;
    const int row = fullList->row(selected.front());
    const std::size_t index = static_cast<std::size_t>(found - fullScales.data());
    EditFullTemperamentDialog editor(
        *found, row,
        [this, row](const QString& name) {
            return listHolds(simpleList, name, -1) || listHolds(fullList, name, row);
        },
        this);
    if (editor.exec() != QDialog::Accepted)
        return;
    fullScales[index] = editor.scale;
    const QString name = QString::fromStdString(editor.scale.getEnglishName());
    if (name != text) {
        delete fullList->takeItem(row);
        selectOnly(fullList, addSorted(fullList, name));
    }
    setButtons();
}

void TemperamentsDialog::deleteSelected(QListWidget* list, bool simple) {
    QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return;
    if (messageBox(adoptWidget(this), loadString(IDS_DELETE_TEMPERAMENTS_QUESTION), "Tonvela",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // From the last row to the first, so the rows still to come keep theirs.
    std::sort(selected.begin(), selected.end(), [list](QListWidgetItem* a, QListWidgetItem* b) {
        return list->row(a) > list->row(b);
    });
    for (QListWidgetItem* item : selected) {
        const std::string name = item->text().toStdString();
        const auto matches = [&name](const ToneScale& scale) {
            return scale.getEnglishName() == name;
        };
        if (simple) {
            const auto it = std::find_if(simpleScales.begin(), simpleScales.end(), matches);
            if (it != simpleScales.end())
                simpleScales.erase(it);
        } else {
            const auto it = std::find_if(fullScales.begin(), fullScales.end(), matches);
            if (it != fullScales.end())
                fullScales.erase(it);
        }
        delete list->takeItem(list->row(item));
    }
    setButtons();
}

void TemperamentsDialog::onDeleteSimple() {
    deleteSelected(simpleList, true);
}

void TemperamentsDialog::onDeleteFull() {
    deleteSelected(fullList, false);
}

void TemperamentsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once the manager is up, so the editor opens over it.
    if (protocol)
        QMetaObject::invokeMethod(this, &TemperamentsDialog::offerProtocol, Qt::QueuedConnection);
}

void TemperamentsDialog::offerProtocol() {
    if (!protocol)
        return;
    const Protocol* measured = protocol;
    protocol = nullptr;
    FullToneScale scale;
    for (int n = 0; n < 96; ++n)
        scale.setCents(n, measured->getDeviation(n));
    addNewFull(scale);
}

void TemperamentsDialog::onImportScala() {
    const std::string path = askScalaFileName(this, false, std::string());
    if (path.empty())
        return;
    const QString name = QString::fromStdString(path);
    // A file far larger than any twelve-note scale is not read at all.
    QFile file(name);
    QByteArray bytes;
    const bool read = file.open(QIODevice::ReadOnly) &&
                      file.size() <= qint64(ScalaFile::MAX_FILE_SIZE) &&
                      (bytes = file.readAll(), file.error() == QFileDevice::NoError);
    if (!read) {
        DialogDataExchange::showMessage(
            this, dialogText(IDS_SCALA_CANNOT_READ).replace(QStringLiteral("%1"), name));
        return;
    }
    ScalaImport scala = ScalaFile::parse(std::string_view(bytes.constData(), bytes.size()));
    if (!scala.ok) {
        DialogDataExchange::showMessage(
            this, QString::fromStdString(QFileInfo(name).fileName().toStdString() + "\n" +
                                         ScalaFile::errorMessage(scala)));
        return;
    }
    // Without a description the file's name names the temperament.
    if (scala.scale.getEnglishName().empty())
        scala.scale.setNames(
            ScalaFile::nameFromDescription(QFileInfo(name).completeBaseName().toStdString()));
    addNewSimple(scala.scale);
}

void TemperamentsDialog::onExportScala() {
    const QList<QListWidgetItem*> simpleSelected = simpleList->selectedItems();
    const QList<QListWidgetItem*> fullSelected = fullList->selectedItems();
    if (simpleSelected.size() + fullSelected.size() != 1)
        return;
    const ToneScale* scale = nullptr;
    if (!simpleSelected.isEmpty())
        scale = findByName(simpleScales, simpleSelected.front()->text());
    else
        scale = findByName(fullScales, fullSelected.front()->text());
    if (!scale)
        return;
    QString suggested = QString::fromStdString(scale->getEnglishName());
    suggested.replace(QLatin1Char('/'), QLatin1Char('-'));
    const std::string path =
        askScalaFileName(this, true, (suggested + QStringLiteral(".scl")).toStdString());
    if (path.empty())
        return;
    const QString name = QString::fromStdString(path);
    const std::string text = ScalaFile::format(*scale, QFileInfo(name).fileName().toStdString());
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit())
        DialogDataExchange::showMessage(
            this, dialogText(IDS_SCALA_CANNOT_WRITE).replace(QStringLiteral("%1"), name));
}

} // namespace tonvela
