// CSpaceSizeDialog: File > Space Size...: the space's three sizes, and "Flat", which makes the
// height 1 (the plane programs are drawn in).
#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

class CSpaceSizeDialog : public QDialog {
    Q_OBJECT

public:
    CSpaceSizeDialog(int sizeX, int sizeY, int sizeZ, QWidget* parent = nullptr);

    int SizeX() const;
    int SizeY() const;  // 1 while Flat is checked
    int SizeZ() const;

    QSpinBox* SpinX() const { return m_x; }
    QSpinBox* SpinY() const { return m_y; }
    QSpinBox* SpinZ() const { return m_z; }
    QCheckBox* FlatBox() const { return m_flat; }

    // The largest size offered on one axis.
    static constexpr int MAX_SIZE = 65536;

private:
    QSpinBox* m_x;
    QSpinBox* m_y;
    QSpinBox* m_z;
    QCheckBox* m_flat;
    int m_heightBeforeFlat;
};
