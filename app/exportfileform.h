// The parts the export dialogs share: the "File:" row with its Browse button, OK and Cancel
// (OK only with a file named), and the file name with its default extension.
#pragma once

#include <QString>

class QDialog;
class QFormLayout;
class QLineEdit;

// Adds the "File:" row to the form; Browse asks for a file with the given title and filter.
QLineEdit* AddExportFileRow(QDialog* dialog, QFormLayout* form, const QString& path, const QString& title,
                            const QString& filter);
// Adds OK and Cancel as the form's last row and makes the form the dialog's layout.
void FinishExportForm(QDialog* dialog, QFormLayout* form, const QLineEdit* path);
// The named file, with `extension` (".png") added when it has none; empty when none is named.
QString ExportPath(const QLineEdit* path, const char* extension);
