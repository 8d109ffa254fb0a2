// The export dialogs' shared parts; see exportfileform.h.
#include "app/exportfileform.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* AddExportFileRow(QDialog* dialog, QFormLayout* form, const QString& path, const QString& title,
                            const QString& filter)
{
    auto* edit = new QLineEdit(path);
    edit->setAccessibleName("File");
    auto* browse = new QPushButton("&Browse...");
    QObject::connect(browse, &QPushButton::clicked, dialog, [dialog, edit, title, filter] {
        const QString chosen = QFileDialog::getSaveFileName(dialog, title, edit->text(), filter);
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    // A row of a layout gets no buddy by itself, and a label without one shows its "&".
    auto* label = new QLabel("&File:");
    label->setBuddy(edit);
    form->addRow(label, row);
    return edit;
}

void FinishExportForm(QDialog* dialog, QFormLayout* form, const QLineEdit* path)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog, path] {
        if (!path->text().trimmed().isEmpty()) dialog->accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    form->addRow(buttons);
    dialog->setLayout(form);
}

QString ExportPath(const QLineEdit* path, const char* extension)
{
    QString name = path->text().trimmed();
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += extension;
    return name;
}
