// CExportImageDialog: File > Export Image's questions: the PNG file to write and the picture's
// size in pixels, which starts at the view's size.
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QLineEdit;
class QSpinBox;

class CExportImageDialog : public QDialog {
    Q_OBJECT

public:
    CExportImageDialog(const QString& path, QSize viewSize, QWidget* parent = nullptr);

    QString Path() const;
    QSize ImageSize() const;
    QLineEdit* PathEdit() const { return m_pPath; }
    QSpinBox* WidthBox() const { return m_pWidth; }
    QSpinBox* HeightBox() const { return m_pHeight; }

    static constexpr int MAX_SIDE = 8192;  // pixels; a larger picture is more than a renderer may hold

private:
    QLineEdit* m_pPath;
    QSpinBox* m_pWidth;
    QSpinBox* m_pHeight;
};
