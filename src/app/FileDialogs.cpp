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

QString allFiles() {
    // The dialog reads the patterns in brackets; "*.*" would only match names
    // with a point, so the "all files" entry matches "*" as well.
    QString all = QString::fromStdString(loadString(IDS_ALL_FILES));
    all.replace(QStringLiteral("(*.*)"), QStringLiteral("(* *.*)"));
    return all;
}

struct FileKind {
    int openTitle;
    int saveTitle;
    int filter;
    const char* suffix;
};

constexpr FileKind documents{IDS_OPEN_TITLE, IDS_SAVE_AS_TITLE, IDS_FILE_FILTER, "tnv"};
constexpr FileKind scalaFiles{IDS_SCALA_IMPORT_TITLE, IDS_SCALA_EXPORT_TITLE, IDS_SCALA_FILTER,
                              "scl"};

std::string run(QWidget* parent, bool save, const std::string& suggestedPath,
                const FileKind& kind) {
    if (answerHook())
        return answerHook()(save);
    QFileDialog dialog(parent,
                       QString::fromStdString(loadString(save ? kind.saveTitle : kind.openTitle)));
    dialog.setNameFilters({QString::fromStdString(loadString(kind.filter)), allFiles()});
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QString::fromLatin1(kind.suffix));
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
    return run(parent, false, std::string(), documents);
}

std::string askSaveFileName(QWidget* parent, const std::string& suggestedPath) {
    return run(parent, true, suggestedPath, documents);
}

std::string askScalaFileName(QWidget* parent, bool save, const std::string& suggestedPath) {
    return run(parent, save, suggestedPath, scalaFiles);
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
