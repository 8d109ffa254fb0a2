// CWhereAmIPane: the status-bar pane that tells where the cursor is: its x, y, z, the space's
// size, the area's size while one is open, and the current colour as a swatch.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;

struct SWhereAmI {
    int cursorX, cursorY, cursorZ;
    int sizeX, sizeY, sizeZ;
    bool area;  // an area is open: its sizes follow
    int areaX, areaY, areaZ;
    int colour;  // the current colour's cell code
};

class CWhereAmIPane : public QWidget {
    Q_OBJECT

public:
    explicit CWhereAmIPane(QWidget* parent = nullptr);

    // Shows the state; does nothing when it is the one shown already.
    void Show(const SWhereAmI& where);

    // The pane's words, as shown and as read by a screen reader.
    QString Text() const;
    QString ColourName() const;
    // The swatch's colour.
    QColor SwatchColour() const;

    // "x 20  y 0  z 15  in 40 × 10 × 30", then "  area 3 × 2 × 1" while an area is open.
    static QString Describe(const SWhereAmI& where);

private:
    QLabel* m_text;
    QLabel* m_swatch;
    SWhereAmI m_shown{};
    bool m_bShown = false;
};
