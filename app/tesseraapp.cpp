// Application start-up, in the order the program has always followed: settings with the recent
// files, the frame, then the command-line file or a new document, and dropped files.
#include "app/tesseraapp.h"

#include <QSurfaceFormat>

#include "app/aboutbox.h"
#include "app/mainframe.h"
#include "app/resources.h"
#include "app/toolbaricons.h"

CTesseraApp::CTesseraApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName("Tessera");
    setApplicationName(RES_APP_TITLE);
    setWindowIcon(ApplicationIcon());
}

CTesseraApp::~CTesseraApp() { delete m_pFrame; }

void CTesseraApp::SetDefaultSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setSamples(0);
    QSurfaceFormat::setDefaultFormat(format);
}

CMainFrame* CTesseraApp::CreateMainFrame(const QStringList& arguments)
{
    auto* frame = new CMainFrame;  // accepts dropped files itself
    const QString file = arguments.join(' ');
    // A file that cannot be opened leaves a new document, after saying why.
    if (file.isEmpty() || !frame->OpenDocumentFile(file)) frame->OnFileNew();
    return frame;
}

bool CTesseraApp::InitInstance(const QStringList& arguments)
{
    m_pFrame = CreateMainFrame(arguments);
    m_pFrame->show();
    return true;
}

void CTesseraApp::OnAppAbout(QWidget* parent)
{
    CAboutBox about(parent);
    about.exec();
}
