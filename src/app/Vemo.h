#pragma once
#include <QApplication>
#include <memory>
#include <string>

class CMainFrame;
class CVemoDoc;
class CProgDlg;
class CQtMessageBox;
class CScopedPlatform;

// The application: creates the document and the main window, installs the
// desktop implementations of the message box, progress dialog and status
// writer, and opens a file named on the command line.
class CVemoApp : public QApplication {
    Q_OBJECT
public:
    CVemoApp(int& argc, char** argv);
    ~CVemoApp() override;

    // Start-up; false ends the application.
    bool InitInstance();

    CMainFrame* MainFrame() { return m_frame.get(); }
    CVemoDoc* Doc() { return m_doc.get(); }

    // The file named on the command line, if any (the first argument that is
    // not an option).
    static std::string FileFromArguments(const QStringList& arguments);

private:
    std::unique_ptr<CVemoDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CQtMessageBox> m_messageBox;
    std::unique_ptr<CProgDlg> m_progress;
    std::unique_ptr<CScopedPlatform> m_platform;
};
