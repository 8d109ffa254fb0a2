// CExportAnimationDialog: File > Export Animation's questions: the GIF file, the frame size
// (the view's to start with), a frame every how many steps, and the most steps to run.
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QLineEdit;
class QSpinBox;

class CExportAnimationDialog : public QDialog {
    Q_OBJECT

public:
    CExportAnimationDialog(const QString& path, QSize viewSize, QWidget* parent = nullptr);

    QString Path() const;
    QSize FrameSize() const;
    int Every() const;
    int Steps() const;
    QLineEdit* PathEdit() const { return m_pPath; }
    QSpinBox* StepsBox() const { return m_pSteps; }
    QSpinBox* EveryBox() const { return m_pEvery; }

    static constexpr int MAX_SIDE = 4096;   // pixels
    static constexpr int MAX_STEPS = 100000;

private:
    QLineEdit* m_pPath;
    QSpinBox* m_pWidth;
    QSpinBox* m_pHeight;
    QSpinBox* m_pEvery;
    QSpinBox* m_pSteps;
};
