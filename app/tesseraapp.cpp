// Application start-up, in the order the program has always followed: settings with the recent
// files, the frame, then the command-line file or a new document, and dropped files.
#include "app/tesseraapp.h"

#include <QFileInfo>
#include <QSurfaceFormat>

#include "app/aboutbox.h"
#include "app/mainframe.h"
#include "app/resources.h"
#include "app/toolbaricons.h"

namespace {

// The drawn application icon in every size: installed beside the program, else in the source
// tree; the painted stand-in when neither is there.
QIcon LoadApplicationIcon()
{
    const QString bin = QCoreApplication::applicationDirPath();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString installed = QString("%1/../share/icons/hicolor/%2x%2/apps/tessera.png").arg(bin).arg(size);
        const QString source = QString(TESSERA_SOURCE_DIR "/app/icons/tessera-%1.png").arg(size);
        if (QFileInfo(installed).isFile())
            icon.addFile(installed);
        else if (QFileInfo(source).isFile())
            icon.addFile(source);
    }
    return icon.isNull() ? ApplicationIcon() : icon;
}

}  // namespace

CTesseraApp::CTesseraApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName("Tessera");
    setApplicationName(RES_APP_TITLE);
    setWindowIcon(LoadApplicationIcon());
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
    m_pFrame->OfferRecovery();  // after a crash: the unsaved changes of the last session
    return true;
}

void CTesseraApp::OnAppAbout(QWidget* parent)
{
    CAboutBox about(parent);
    about.exec();
}
