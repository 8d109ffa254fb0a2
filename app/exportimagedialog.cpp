// The Export Image dialog; see exportimagedialog.h.
#include "app/exportimagedialog.h"

#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "app/exportfileform.h"

CExportImageDialog::CExportImageDialog(const QString& path, QSize viewSize, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Export Image");
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
    m_pPath = AddExportFileRow(this, form, path, "Export Image", "PNG Pictures (*.png);;All Files (*)");
    form->addRow("&Width:", m_pWidth);
    form->addRow("&Height:", m_pHeight);
    form->addRow(QString(), windowSize);
    FinishExportForm(this, form, m_pPath);
}

QString CExportImageDialog::Path() const { return ExportPath(m_pPath, ".png"); }

QSize CExportImageDialog::ImageSize() const { return {m_pWidth->value(), m_pHeight->value()}; }
