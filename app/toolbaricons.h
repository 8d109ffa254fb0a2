// Icons of the toolbar buttons and the application, drawn by code so that they stay sharp at
// 16 px and at twice that size.
#pragma once

#include <QIcon>

// The icon of a toolbar command; a null icon for an identifier without one.
QIcon CommandIcon(int id);

// The application's icon: a small stack of coloured cells.
QIcon ApplicationIcon();
