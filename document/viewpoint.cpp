// CViewpoint: each step is computed in double and stored as float, as the view always did, so
// that the same keys give the same picture.
#include "document/viewpoint.h"

#include <cmath>

using namespace viewpoint;

void CViewpoint::EyeUp()
{
    elevation = float(elevation + RAISE_STEP);
    if (elevation > ELEVATION_LIMIT) elevation = ELEVATION_LIMIT;
}

void CViewpoint::EyeDown()
{
    elevation = float(elevation - RAISE_STEP);
    if (elevation < -ELEVATION_LIMIT) elevation = -ELEVATION_LIMIT;
}

// The azimuth is never wrapped; the cursor commands reduce it themselves.
void CViewpoint::EyeLeft() { azimuth = float(azimuth - TURN_STEP); }
void CViewpoint::EyeRight() { azimuth = float(azimuth + TURN_STEP); }

void CViewpoint::ZoomIn()
{
    distance *= ZOOM_IN;
    if (distance < NEAREST) distance = NEAREST;
}

void CViewpoint::ZoomOut()
{
    const float farther = distance * ZOOM_OUT;
    if (std::isfinite(farther)) distance = farther;
}

void CViewpoint::Reset(int sizeY, int sizeZ)
{
    elevation = DEFAULT_ELEVATION;
    azimuth = DEFAULT_AZIMUTH;
    distance = float(sizeY + sizeZ);
}
