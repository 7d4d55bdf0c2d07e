#include "app/Vemo.h"

#include "app/MainFrm.h"
#include "app/ProgDlg.h"
#include "app/QtMessageBox.h"
#include "app/VemoDoc.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <clocale>

CVemoApp::CVemoApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The user's locale for everything but numbers: the slice readers and
    // writers scan and print with a decimal point whatever the locale says.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    setApplicationName(QStringLiteral("Vemo"));
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vemo.svg")));
}

CVemoApp::~CVemoApp()
{
    m_platform.reset();
    m_frame.reset();
    m_progress.reset();
    m_messageBox.reset();
    m_doc.reset();
}

std::string CVemoApp::FileFromArguments(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(QLatin1Char('-')))
            return arguments[i].toStdString();
    return {};
}

bool CVemoApp::InitInstance()
{
    m_doc = std::make_unique<CVemoDoc>();
    m_doc->m_bKeepRecentFiles = true;
    m_frame = std::make_unique<CMainFrame>(*m_doc);
    m_messageBox = std::make_unique<CQtMessageBox>(m_frame.get());
    m_progress = std::make_unique<CProgDlg>(m_frame.get());
    CPlatform platform;
    platform.messageBox = m_messageBox.get();
    platform.progress = m_progress.get();
    platform.status = m_frame.get();
    m_platform = std::make_unique<CScopedPlatform>(platform);

    m_frame->setWindowTitle(QString::fromStdString(Tr("MainTitle")));
    // Without a window manager (a bare X server) maximising does nothing, so
    // the window takes the screen's free area first.
    if (const QScreen* screen = primaryScreen())
        m_frame->setGeometry(screen->availableGeometry());
    m_frame->showMaximized();
    const std::string file = FileFromArguments(arguments());
    if (!file.empty()) {
        CMainFrame* frame = m_frame.get();
        QTimer::singleShot(0, frame, [frame, file] { frame->OpenFromCommandLine(file); });
    }
    return true;
}
