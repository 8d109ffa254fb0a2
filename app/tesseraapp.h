// CTesseraApp: the application object: settings, the surface format for GL, the main frame,
// the file named on the command line, and the About box.
#pragma once

#include <QApplication>
#include <QStringList>

class CMainFrame;

class CTesseraApp : public QApplication {
    Q_OBJECT

public:
    CTesseraApp(int& argc, char** argv);
    ~CTesseraApp() override;

    // Creates and shows the main frame with the document named by the arguments.
    bool InitInstance(const QStringList& arguments);
    // The main frame holding the file named by the arguments (all of them together are one
    // file name, as typed after the program's name), or a new document.
    static CMainFrame* CreateMainFrame(const QStringList& arguments);
    CMainFrame* MainFrame() const { return m_pFrame; }

    // Help > About: the About box, modal.
    static void OnAppAbout(QWidget* parent);

    // The GL surface every view uses; set before the application object exists.
    static void SetDefaultSurfaceFormat();

private:
    CMainFrame* m_pFrame = nullptr;
};
