// Toolbar and application icons. Every picture is drawn on a 16 x 16 grid and rendered at each
// pixel size by scaling, with lines on half-pixel positions so that they fall on whole pixels.
#include "app/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "app/commandids.h"

namespace {
using Drawing = std::function<void(QPainter&)>;

const QColor OUTLINE(40, 40, 40);
const QColor ARROW(30, 60, 150);

QPixmap Render(int pixels, const Drawing& draw)
{
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / 16.0, pixels / 16.0);
    draw(p);
    return pixmap;
}

QIcon MakeIcon(const Drawing& draw, std::initializer_list<int> sizes = {16, 32})
{
    QIcon icon;
    for (int s : sizes) icon.addPixmap(Render(s, draw));
    return icon;
}

QPen Pen(const QColor& c, double width = 1.0) { return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// A cell seen from the front-right and above: front square at (x, y) of side s, depth d.
void Cube(QPainter& p, double x, double y, double s, double d, const QColor& c)
{
    const QPolygonF top({QPointF(x, y), QPointF(x + d, y - d), QPointF(x + s + d, y - d), QPointF(x + s, y)});
    const QPolygonF side({QPointF(x + s, y), QPointF(x + s + d, y - d), QPointF(x + s + d, y + s - d), QPointF(x + s, y + s)});
    p.setPen(Pen(OUTLINE, 0.75));
    p.setBrush(c);
    p.drawPolygon(top);
    p.setBrush(c.darker(170));
    p.drawPolygon(side);
    p.setBrush(c.darker(130));
    p.drawRect(QRectF(x, y, s, s));
}

void HollowCube(QPainter& p, double x, double y, double s, double d)
{
    QPen pen(OUTLINE, 1.0, Qt::DashLine);
    pen.setDashPattern({1.5, 1.5});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x, y, s, s));
    p.drawPolyline(QPolygonF({QPointF(x, y), QPointF(x + d, y - d), QPointF(x + s + d, y - d), QPointF(x + s + d, y + s - d),
                              QPointF(x + s, y + s)}));
    p.drawLine(QPointF(x + s, y), QPointF(x + s + d, y - d));
}

// A bold arrow from tail to head.
void Arrow(QPainter& p, QPointF tail, QPointF head, const QColor& c = ARROW)
{
    const QLineF shaft(head, tail);
    QLineF wing = shaft;
    wing.setLength(5.0);
    QLineF left = wing, right = wing;
    left.setAngle(shaft.angle() + 40);
    right.setAngle(shaft.angle() - 40);
    QLineF body = shaft;
    body.setLength(shaft.length() - 1.0);
    p.setPen(Pen(c, 2.2));
    p.drawLine(QLineF(body.p2(), head + (tail - head) * (2.5 / shaft.length())));
    p.setPen(Pen(c, 1.0));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({head, left.p2(), right.p2()}));
}

// The small dashed cursor box the cursor arrows start from.
void CursorMark(QPainter& p, QPointF centre)
{
    QPen pen(QColor(0, 0, 0), 1.0);
    pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(centre.x() - 2.5, centre.y() - 2.5, 5, 5));
}

void CursorIcon(QPainter& p, QPointF from, QPointF to)
{
    Arrow(p, from, to);
    CursorMark(p, from);
}

void Eye(QPainter& p, QPointF c)
{
    QPainterPath almond;
    almond.moveTo(c.x() - 5.5, c.y());
    almond.quadTo(c.x(), c.y() - 5.5, c.x() + 5.5, c.y());
    almond.quadTo(c.x(), c.y() + 5.5, c.x() - 5.5, c.y());
    p.setPen(Pen(OUTLINE, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(almond);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    p.drawEllipse(c, 2.2, 2.2);
    p.setBrush(Qt::black);
    p.drawEllipse(c, 1.0, 1.0);
}

// The eye with a small wedge on the side it moves to.
void EyeIcon(QPainter& p, QPointF eye, QPolygonF wedge)
{
    Eye(p, eye);
    p.setPen(Pen(ARROW, 0.75));
    p.setBrush(ARROW);
    p.drawPolygon(wedge);
}

void Magnifier(QPainter& p, bool in)
{
    p.setPen(Pen(OUTLINE, 2.0));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(Pen(OUTLINE, 1.2));
    p.setBrush(QColor(225, 240, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(Pen(ARROW, 1.6));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (in) p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void Swatch(QPainter& p, const QColor& c)
{
    p.setPen(Pen(c == Qt::black ? QColor(128, 128, 128) : OUTLINE, 1.0));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
}

void Folder(QPainter& p)
{
    p.setPen(Pen(QColor(120, 90, 10), 1.0));
    p.setBrush(QColor(235, 190, 60));
    p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5), QPointF(13.5, 13.5),
                             QPointF(1.5, 13.5)}));
    p.setBrush(QColor(250, 220, 110));
    p.drawPolygon(QPolygonF({QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15, 7.5), QPointF(13.5, 13.5)}));
}

Drawing DrawingOf(int id)
{
    switch (id) {
    case ID_FILE_OPEN: return Folder;
    case ID_RUN_START:
        return [](QPainter& p) {
            p.setPen(Pen(QColor(0, 100, 0), 1.0));
            p.setBrush(QColor(40, 170, 40));
            p.drawPolygon(QPolygonF({QPointF(4, 2.5), QPointF(13.5, 8), QPointF(4, 13.5)}));
        };
    case ID_RUN_STOP:
        return [](QPainter& p) {
            p.setPen(Pen(QColor(120, 0, 0), 1.0));
            p.setBrush(QColor(210, 40, 40));
            p.drawRect(QRectF(3.5, 3.5, 9, 9));
        };
    case ID_RUN_PAUSE:
        return [](QPainter& p) {
            p.setPen(Pen(QColor(90, 70, 0), 1.0));
            p.setBrush(QColor(230, 180, 30));
            p.drawRect(QRectF(3.5, 3, 3, 10));
            p.drawRect(QRectF(9.5, 3, 3, 10));
        };
    case ID_RUN_STEP:
        return [](QPainter& p) {
            p.setPen(Pen(QColor(0, 100, 0), 1.0));
            p.setBrush(QColor(40, 170, 40));
            p.drawPolygon(QPolygonF({QPointF(2.5, 3), QPointF(10, 8), QPointF(2.5, 13)}));
            p.setBrush(QColor(30, 60, 150));
            p.drawRect(QRectF(11, 3, 2.5, 10));
        };
    case ID_EDIT_POINTSET: return [](QPainter& p) { Cube(p, 2.5, 5.5, 8, 3.5, QColor(40, 200, 40)); };
    case ID_EDIT_POINTRESET: return [](QPainter& p) { HollowCube(p, 2.5, 5.5, 8, 3.5); };
    case ID_MOVECURSOR_UP: return [](QPainter& p) { CursorIcon(p, {8, 12.5}, {8, 1.5}); };
    case ID_MOVECURSOR_DOWN: return [](QPainter& p) { CursorIcon(p, {8, 3.5}, {8, 14.5}); };
    case ID_MOVECURSOR_LEFT: return [](QPainter& p) { CursorIcon(p, {12.5, 8}, {1.5, 8}); };
    case ID_MOVECURSOR_RIGHT: return [](QPainter& p) { CursorIcon(p, {3.5, 8}, {14.5, 8}); };
    case ID_MOVECURSOR_FRONT: return [](QPainter& p) { CursorIcon(p, {11.5, 4.5}, {2, 14}); };
    case ID_MOVECURSOR_REAR: return [](QPainter& p) { CursorIcon(p, {4.5, 11.5}, {14, 2}); };
    case ID_COLOR_WHITE: return [](QPainter& p) { Swatch(p, Qt::white); };
    case ID_COLOR_RED: return [](QPainter& p) { Swatch(p, Qt::red); };
    case ID_COLOR_GREEN: return [](QPainter& p) { Swatch(p, Qt::green); };
    case ID_COLOR_BLUE: return [](QPainter& p) { Swatch(p, Qt::blue); };
    case ID_COLOR_PURPLE: return [](QPainter& p) { Swatch(p, Qt::magenta); };
    case ID_COLOR_PALE: return [](QPainter& p) { Swatch(p, Qt::cyan); };
    case ID_COLOR_YELLOW: return [](QPainter& p) { Swatch(p, Qt::yellow); };
    case ID_COLOR_BLACK: return [](QPainter& p) { Swatch(p, Qt::black); };
    case ID_MOVEEYE_UP:
        return [](QPainter& p) { EyeIcon(p, {8, 10}, QPolygonF({QPointF(8, 0.5), QPointF(4, 4.5), QPointF(12, 4.5)})); };
    case ID_MOVEEYE_DOWN:
        return [](QPainter& p) { EyeIcon(p, {8, 6}, QPolygonF({QPointF(8, 15.5), QPointF(4, 11.5), QPointF(12, 11.5)})); };
    case ID_MOVEEYE_LEFT:
        return [](QPainter& p) { EyeIcon(p, {10, 8}, QPolygonF({QPointF(0.5, 8), QPointF(4.5, 4), QPointF(4.5, 12)})); };
    case ID_MOVEEYE_RIGHT:
        return [](QPainter& p) { EyeIcon(p, {6, 8}, QPolygonF({QPointF(15.5, 8), QPointF(11.5, 4), QPointF(11.5, 12)})); };
    case ID_MOVEEYE_ZOOMOUT: return [](QPainter& p) { Magnifier(p, false); };
    case ID_MOVEEYE_ZOOMIN: return [](QPainter& p) { Magnifier(p, true); };
    default: return nullptr;
    }
}
}  // namespace

QIcon CommandIcon(int id)
{
    const Drawing draw = DrawingOf(id);
    return draw ? MakeIcon(draw) : QIcon();
}

QIcon ApplicationIcon()
{
    const Drawing draw = [](QPainter& p) {
        Cube(p, 1.0, 9.0, 5.5, 2.5, QColor(230, 40, 40));
        Cube(p, 6.5, 9.0, 5.5, 2.5, QColor(40, 200, 40));
        Cube(p, 3.75, 3.5, 5.5, 2.5, QColor(50, 80, 235));
    };
    return MakeIcon(draw, {16, 32, 48, 64});
}
