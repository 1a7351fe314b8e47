#include "app/FileDialogs.h"

#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"

#include <QFileDialog>
#include <QStringList>

namespace tonvela {

namespace {

FileDialogAnswer& answerHook() {
    static FileDialogAnswer hook;
    return hook;
}

QStringList filters() {
    // The dialog reads the patterns in brackets; "*.*" would only match names
    // with a point, so the "all files" entry matches "*" as well.
    QString all = QString::fromStdString(loadString(IDS_ALL_FILES));
    all.replace(QStringLiteral("(*.*)"), QStringLiteral("(* *.*)"));
    return {QString::fromStdString(loadString(IDS_FILE_FILTER)), all};
}

std::string run(QWidget* parent, bool save, const std::string& suggestedPath) {
    if (answerHook())
        return answerHook()(save);
    QFileDialog dialog(
        parent, QString::fromStdString(loadString(save ? IDS_SAVE_AS_TITLE : IDS_OPEN_TITLE)));
    dialog.setNameFilters(filters());
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("tnv"));
        if (!suggestedPath.empty())
            dialog.selectFile(QString::fromStdString(suggestedPath));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::string();
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

void setFileDialogAnswer(FileDialogAnswer answer) {
    answerHook() = std::move(answer);
}

std::string askOpenFileName(QWidget* parent) {
    return run(parent, false, std::string());
}

std::string askSaveFileName(QWidget* parent, const std::string& suggestedPath) {
    return run(parent, true, suggestedPath);
}

std::string askPdfFileName(QWidget* parent, const std::string& suggestedPath) {
    if (answerHook())
        return answerHook()(true);
    QFileDialog dialog(parent, QString::fromStdString(loadString(IDS_EXPORT_PDF_TITLE)));
    dialog.setNameFilter(QString::fromStdString(loadString(IDS_PDF_FILTER)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (!suggestedPath.empty())
        dialog.selectFile(QString::fromStdString(suggestedPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::string();
    return dialog.selectedFiles().first().toStdString();
}

} // namespace tonvela
