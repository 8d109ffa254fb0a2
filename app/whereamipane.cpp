// The "where am I" pane: one label with the numbers and a small square of the current colour.
#include "app/whereamipane.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <cstdlib>

#include "app/resources.h"
#include "view/cellshading.h"

CWhereAmIPane::CWhereAmIPane(QWidget* parent)
    : QWidget(parent), m_text(new QLabel(this)), m_swatch(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(m_text);
    layout->addWidget(m_swatch);
    m_text->setObjectName("whereAmIText");
    m_swatch->setObjectName("whereAmISwatch");
    m_swatch->setFixedSize(14, 14);
    setAccessibleName("Cursor position");
    m_text->setAccessibleName("Cursor position");
}

QString CWhereAmIPane::Describe(const SWhereAmI& w)
{
    QString text = QString("x %1  y %2  z %3  in %4 × %5 × %6")
                       .arg(w.cursorX)
                       .arg(w.cursorY)
                       .arg(w.cursorZ)
                       .arg(w.sizeX)
                       .arg(w.sizeY)
                       .arg(w.sizeZ);
    if (w.area)
        text += QString("  area %1 × %2 × %3")
                    .arg(std::abs(w.areaX - w.cursorX) + 1)
                    .arg(std::abs(w.areaY - w.cursorY) + 1)
                    .arg(std::abs(w.areaZ - w.cursorZ) + 1);
    return text;
}

void CWhereAmIPane::Show(const SWhereAmI& w)
{
    auto same = [&] {
        return m_bShown && w.cursorX == m_shown.cursorX && w.cursorY == m_shown.cursorY &&
               w.cursorZ == m_shown.cursorZ && w.sizeX == m_shown.sizeX && w.sizeY == m_shown.sizeY &&
               w.sizeZ == m_shown.sizeZ && w.area == m_shown.area && w.areaX == m_shown.areaX &&
               w.areaY == m_shown.areaY && w.areaZ == m_shown.areaZ && w.colour == m_shown.colour;
    };
    if (same()) return;
    m_shown = w;
    m_bShown = true;
    m_text->setText(Describe(w));
    // A screen reader says the name: it carries the numbers, not only what the pane is.
    m_text->setAccessibleName("Cursor position: " + m_text->text());
    const SRgb rgb = CellBaseColour(w.colour);
    QPixmap square(m_swatch->size());
    square.fill(QColor::fromRgbF(rgb.r, rgb.g, rgb.b));
    m_swatch->setPixmap(square);
    const QString name = ColourName();
    m_swatch->setToolTip(QString("Current colour: %1").arg(name));
    m_swatch->setAccessibleName(QString("Current colour: %1").arg(name));
}

QString CWhereAmIPane::Text() const { return m_text->text(); }

QString CWhereAmIPane::ColourName() const { return ColorNameOfCode(m_shown.colour); }

QColor CWhereAmIPane::SwatchColour() const
{
    const QImage image = m_swatch->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}
