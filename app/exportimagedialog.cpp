// The Export Image dialog; see exportimagedialog.h.
#include "app/exportimagedialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

CExportImageDialog::CExportImageDialog(const QString& path, QSize viewSize, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Export Image");
    m_pPath = new QLineEdit(path);
    m_pPath->setAccessibleName("File");
    auto* browse = new QPushButton("&Browse...");
    connect(browse, &QPushButton::clicked, this, &CExportImageDialog::Browse);
    auto* file = new QHBoxLayout;
    file->addWidget(m_pPath, 1);
    file->addWidget(browse);

    auto spin = [](int value, const char* name) {
        auto* box = new QSpinBox;
        box->setRange(1, MAX_SIDE);
        box->setValue(value);
        box->setSuffix(" pixels");
        box->setAccessibleName(name);
        return box;
    };
    m_pWidth = spin(viewSize.width(), "Width");
    m_pHeight = spin(viewSize.height(), "Height");
    auto* windowSize = new QPushButton("&View size");
    connect(windowSize, &QPushButton::clicked, this, [this, viewSize] {
        m_pWidth->setValue(viewSize.width());
        m_pHeight->setValue(viewSize.height());
    });

    auto* form = new QFormLayout;
    // A row of a layout gets no buddy by itself, and a label without one shows its "&".
    auto* fileLabel = new QLabel("&File:");
    fileLabel->setBuddy(m_pPath);
    form->addRow(fileLabel, file);
    form->addRow("&Width:", m_pWidth);
    form->addRow("&Height:", m_pHeight);
    form->addRow(QString(), windowSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!m_pPath->text().trimmed().isEmpty()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

QString CExportImageDialog::Path() const
{
    QString path = m_pPath->text().trimmed();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".png";
    return path;
}

QSize CExportImageDialog::ImageSize() const { return {m_pWidth->value(), m_pHeight->value()}; }

void CExportImageDialog::Browse()
{
    const QString path =
        QFileDialog::getSaveFileName(this, "Export Image", m_pPath->text(), "PNG Pictures (*.png);;All Files (*)");
    if (!path.isEmpty()) m_pPath->setText(path);
}
