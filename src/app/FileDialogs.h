#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tonvela {

// The document's file dialogs: "Open" and "Save as" with the filters
// "Tonvela Files (*.tnv)" and "All files (*.*)"; saving adds ".tnv" to a
// name without an extension. The chosen path, empty when cancelled.
std::string askOpenFileName(QWidget* parent);
std::string askSaveFileName(QWidget* parent, const std::string& suggestedPath);
// "Export PDF" with the filter "PDF Files (*.pdf)"; adds ".pdf" to a name
// without an extension.
std::string askPdfFileName(QWidget* parent, const std::string& suggestedPath);

// The Scala scale file dialogs of the temperament manager: "Import Scala
// File" or "Export Scala File" with "Scala scale files (*.scl)" and all
// files; exporting adds ".scl" to a name without an extension.
std::string askScalaFileName(QWidget* parent, bool save, const std::string& suggestedPath);

// Answers every following file dialog without showing it (tests): called
// with save = false for Open, true for Save As and Export PDF; returns the path chosen or
// an empty text for Cancel. An empty function shows the dialogs again.
using FileDialogAnswer = std::function<std::string(bool save)>;
void setFileDialogAnswer(FileDialogAnswer answer);

} // namespace tonvela
