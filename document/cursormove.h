// Screen-relative cursor moves: Left, Right, Front and Rear go along the world axis closest to
// that direction on screen, picked by the eye's azimuth.
#pragma once

enum ECursorMove { MOVE_X_MINUS, MOVE_X_PLUS, MOVE_Y_MINUS, MOVE_Y_PLUS, MOVE_Z_MINUS, MOVE_Z_PLUS };
enum EScreenDirection { SCREEN_LEFT, SCREEN_RIGHT, SCREEN_FRONT, SCREEN_REAR };

// trunc(azimuth * 4/pi) mod 8 with the sign of the azimuth: -7 ... 7. The azimuth is never
// wrapped, so it may be far from zero.
int AzimuthSector(float azimuth);

ECursorMove ScreenMove(EScreenDirection direction, float azimuth);
