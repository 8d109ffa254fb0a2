// The twelve edges of a box as GL line-pair vertices, for a glBegin(GL_LINES) batch the caller
// has opened: the cursor and area boxes, and the outlines of the run-watching overlays.
#pragma once

#include <QtGui/qopengl.h>

inline void BoxEdgeVertices(float x0, float y0, float z0, float x1, float y1, float z1)
{
    const float x[2] = {x0, x1}, y[2] = {y0, y1}, z[2] = {z0, z1};
    for (int a = 0; a < 2; a++)
        for (int b = 0; b < 2; b++) {
            glVertex3f(x[0], y[a], z[b]);
            glVertex3f(x[1], y[a], z[b]);
            glVertex3f(x[a], y[0], z[b]);
            glVertex3f(x[a], y[1], z[b]);
            glVertex3f(x[a], y[b], z[0]);
            glVertex3f(x[a], y[b], z[1]);
        }
}
