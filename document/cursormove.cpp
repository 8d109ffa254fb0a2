// The sector table of the screen-relative cursor moves. Sectors are octants counted from
// azimuth 0 toward either side; a negative sector -k is treated like 7 - k, because the
// truncation toward zero makes the octant around 0 twice as wide.
#include "document/cursormove.h"

#include <cmath>

int AzimuthSector(float azimuth)
{
    const float scaled = azimuth * 1.2732395f;  // 4 / pi
    if (!std::isfinite(scaled)) return 0;
    return int(std::trunc(std::fmod(double(scaled), 8.0)));
}

ECursorMove ScreenMove(EScreenDirection direction, float azimuth)
{
    // Column per sector -7 ... 7.
    static const int column[15] = {0, 1, 1, 2, 2, 3, 3, 0, 1, 1, 2, 2, 3, 3, 0};
    static const ECursorMove moves[4][4] = {
        // Left, Right, Front, Rear
        {MOVE_X_MINUS, MOVE_X_PLUS, MOVE_Z_PLUS, MOVE_Z_MINUS},
        {MOVE_Z_PLUS, MOVE_Z_MINUS, MOVE_X_PLUS, MOVE_X_MINUS},
        {MOVE_X_PLUS, MOVE_X_MINUS, MOVE_Z_MINUS, MOVE_Z_PLUS},
        {MOVE_Z_MINUS, MOVE_Z_PLUS, MOVE_X_MINUS, MOVE_X_PLUS},
    };
    return moves[column[AzimuthSector(azimuth) + 7]][direction];
}
