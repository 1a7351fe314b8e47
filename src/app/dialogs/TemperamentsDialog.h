#pragma once

#include "tuning/DefaultToneScale.h"
#include "tuning/FullToneScale.h"

#include <QDialog>

#include <vector>

class QListWidget;
class QPushButton;

namespace tonvela {

class CustomScaleManager;
class Protocol;

// The temperament manager: lists the user's simple and full temperaments and
// creates, edits and deletes them on working copies of the store's lists.
// The caller hands the lists back to the store however the dialog closes.
class TemperamentsDialog : public QDialog {
    Q_OBJECT
public:
    TemperamentsDialog(const CustomScaleManager& store, QWidget* parent);

    // With a protocol the manager first offers a new full temperament made
    // from its deviations, once, when it is shown.
    void setProtocol(const Protocol* protocol) { this->protocol = protocol; }

    const std::vector<DefaultToneScale>& getSimpleScales() const { return simpleScales; }
    const std::vector<FullToneScale>& getFullScales() const { return fullScales; }

    void onNewSimple();
    void onNewFull();
    void onEditSimple();
    void onEditFull();
    void onDeleteSimple();
    void onDeleteFull();
    // Offers the protocol as a new full temperament when one is set.
    void offerProtocol();
    // A Scala file of twelve notes, opened in the simple editor as a new
    // temperament; a file that is no such scale is refused with a message.
    void onImportScala();
    // The one selected temperament as a Scala file.
    void onExportScala();

    // Our own controls beside the system's.
    static constexpr int IMPORT_SCALA_ID = 5160;
    static constexpr int EXPORT_SCALA_ID = 5161;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setButtons();
    // Whether a list box holds the name (whole, any case) at a row other than
    // except.
    static bool listHolds(const QListWidget* list, const QString& name, int except);
    static int addSorted(QListWidget* list, const QString& name);
    static void selectOnly(QListWidget* list, int row);
    void addNewSimple(const DefaultToneScale& scale);
    void addNewFull(const FullToneScale& scale);
    void deleteSelected(QListWidget* list, bool simple);

    const Protocol* protocol = nullptr;
    std::vector<DefaultToneScale> simpleScales;
    std::vector<FullToneScale> fullScales;
    QListWidget* simpleList = nullptr;
    QListWidget* fullList = nullptr;
    QPushButton* simpleEdit = nullptr;
    QPushButton* simpleDelete = nullptr;
    QPushButton* fullEdit = nullptr;
    QPushButton* fullDelete = nullptr;
    QPushButton* exportScala = nullptr;
};

} // namespace tonvela
