// CSpaceSizeDialog: a spin box for each size (1 to the largest one) and a Flat check that sets
// the height to 1 and, when cleared, gives back the height it replaced.
#include "app/spacesizedialog.h"

#include "app/formdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSpinBox>

CSpaceSizeDialog::CSpaceSizeDialog(int sizeX, int sizeY, int sizeZ, QWidget* parent)
    : QDialog(parent), m_x(new QSpinBox), m_y(new QSpinBox), m_z(new QSpinBox),
      m_flat(new QCheckBox("&Flat (height 1)")), m_heightBeforeFlat(sizeY > 1 ? sizeY : 10)
{
    setWindowTitle("Space Size");
    auto* form = new QFormLayout;
    const struct {
        QSpinBox* spin;
        const char* label;
        const char* name;
        int value;
    } rows[] = {{m_x, "&Width (x):", "Width", sizeX}, {m_y, "&Height (y):", "Height", sizeY},
                {m_z, "&Depth (z):", "Depth", sizeZ}};
    for (const auto& row : rows) {
        row.spin->setRange(1, MAX_SIZE);
        row.spin->setValue(row.value);
        row.spin->setAccessibleName(row.name);
        form->addRow(row.label, row.spin);
    }
    m_flat->setChecked(sizeY == 1);
    m_y->setEnabled(sizeY != 1);
    form->addRow(m_flat);
    connect(m_flat, &QCheckBox::toggled, this, [this](bool flat) {
        if (flat) {
            if (m_y->value() > 1) m_heightBeforeFlat = m_y->value();
            m_y->setValue(1);
        } else if (m_y->value() == 1) {
            m_y->setValue(m_heightBeforeFlat);
        }
        m_y->setEnabled(!flat);
    });
    layOutFormDialog(this, form);
}

int CSpaceSizeDialog::SizeX() const { return m_x->value(); }
int CSpaceSizeDialog::SizeY() const { return m_flat->isChecked() ? 1 : m_y->value(); }
int CSpaceSizeDialog::SizeZ() const { return m_z->value(); }
