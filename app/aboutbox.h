// CAboutBox: the About 3D-Tessera dialog: the icon, the program's name with its date and
// version, and OK.
#pragma once

#include <QDialog>

class CAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit CAboutBox(QWidget* parent = nullptr);
};
