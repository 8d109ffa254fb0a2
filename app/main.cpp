// The 3D-Tessera editor.
#include "app/tesseraapp.h"

int main(int argc, char** argv)
{
    CTesseraApp::SetDefaultSurfaceFormat();
    CTesseraApp app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    app.InitInstance(arguments);
    return app.exec();
}
