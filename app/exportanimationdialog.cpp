// The Export Animation dialog; see exportanimationdialog.h.
#include "app/exportanimationdialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
QSpinBox* Spin(int low, int high, int value, const char* suffix, const char* name)
{
    auto* box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setAccessibleName(name);
    return box;
}
}  // namespace

CExportAnimationDialog::CExportAnimationDialog(const QString& path, QSize viewSize, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Export Animation");
    m_pPath = new QLineEdit(path);
    m_pPath->setAccessibleName("File");
    auto* browse = new QPushButton("&Browse...");
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getSaveFileName(this, "Export Animation", m_pPath->text(),
                                                            "GIF Animations (*.gif);;All Files (*)");
        if (!chosen.isEmpty()) m_pPath->setText(chosen);
    });
    auto* file = new QHBoxLayout;
    file->addWidget(m_pPath, 1);
    file->addWidget(browse);
    m_pWidth = Spin(1, MAX_SIDE, std::min(viewSize.width(), MAX_SIDE), " pixels", "Width");
    m_pHeight = Spin(1, MAX_SIDE, std::min(viewSize.height(), MAX_SIDE), " pixels", "Height");
    m_pEvery = Spin(1, MAX_STEPS, 1, " steps", "Frame every");
    m_pSteps = Spin(1, MAX_STEPS, 500, " steps", "At most");

    auto* form = new QFormLayout;
    // A row of a layout gets no buddy by itself, and a label without one shows its "&".
    auto* fileLabel = new QLabel("&File:");
    fileLabel->setBuddy(m_pPath);
    form->addRow(fileLabel, file);
    form->addRow("&Width:", m_pWidth);
    form->addRow("&Height:", m_pHeight);
    form->addRow("A frame &every:", m_pEvery);
    form->addRow("&At most:", m_pSteps);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!m_pPath->text().trimmed().isEmpty()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

QString CExportAnimationDialog::Path() const
{
    QString path = m_pPath->text().trimmed();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".gif";
    return path;
}

QSize CExportAnimationDialog::FrameSize() const { return {m_pWidth->value(), m_pHeight->value()}; }
int CExportAnimationDialog::Every() const { return m_pEvery->value(); }
int CExportAnimationDialog::Steps() const { return m_pSteps->value(); }
