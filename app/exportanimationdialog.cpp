// The Export Animation dialog; see exportanimationdialog.h.
#include "app/exportanimationdialog.h"

#include <QFormLayout>
#include <QSpinBox>

#include "app/exportfileform.h"

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
    m_pWidth = Spin(1, MAX_SIDE, std::min(viewSize.width(), MAX_SIDE), " pixels", "Width");
    m_pHeight = Spin(1, MAX_SIDE, std::min(viewSize.height(), MAX_SIDE), " pixels", "Height");
    m_pEvery = Spin(1, MAX_STEPS, 1, " steps", "Frame every");
    m_pSteps = Spin(1, MAX_STEPS, 500, " steps", "At most");

    auto* form = new QFormLayout;
    m_pPath = AddExportFileRow(this, form, path, "Export Animation", "GIF Animations (*.gif);;All Files (*)");
    form->addRow("&Width:", m_pWidth);
    form->addRow("&Height:", m_pHeight);
    form->addRow("A frame &every:", m_pEvery);
    form->addRow("&At most:", m_pSteps);
    FinishExportForm(this, form, m_pPath);
}

QString CExportAnimationDialog::Path() const { return ExportPath(m_pPath, ".gif"); }

QSize CExportAnimationDialog::FrameSize() const { return {m_pWidth->value(), m_pHeight->value()}; }
int CExportAnimationDialog::Every() const { return m_pEvery->value(); }
int CExportAnimationDialog::Steps() const { return m_pSteps->value(); }
