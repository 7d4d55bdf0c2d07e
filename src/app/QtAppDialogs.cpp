#include "app/QtAppDialogs.h"

#include "app/BedSizeDlg.h"
#include "app/CheckFileFormatDlg.h"
#include "app/SpfOutPutFormat.h"
#include "app/SpfSetView.h"
#include "app/ViewDelayTime.h"
#include "app/ZoomPace.h"

#include <QColorDialog>
#include <QFileDialog>

std::string CQtAppDialogs::QtFilter(const std::string& filter)
{
    // Name and pattern alternate between bars; an empty name ends the list.
    std::string result;
    size_t pos = 0;
    while (pos < filter.size()) {
        const size_t bar = filter.find('|', pos);
        const std::string name = filter.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        if (name.empty() || bar == std::string::npos)
            break;
        const size_t next = filter.find('|', bar + 1);
        const std::string pattern = filter.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
        if (!result.empty())
            result += ";;";
        result += name.find('(') != std::string::npos ? name : name + " (" + pattern + ")";
        if (next == std::string::npos)
            break;
        pos = next + 1;
    }
    return result;
}

std::string CQtAppDialogs::PromptOpenPath(const std::string& defaultExt, const std::string& filter)
{
    QFileDialog dialog(m_owner);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
    dialog.setNameFilter(QString::fromStdString(QtFilter(filter)));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::string() : files.front().toStdString();
}

bool CQtAppDialogs::AskVerify()
{
    CCheckFileFormatDlg dialog(m_owner);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtAppDialogs::AskZoomStep(float& step)
{
    CZoomPace dialog(m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    step = dialog.m_fZoomStep;
    return true;
}

bool CQtAppDialogs::AskDelay(std::uint32_t& ms)
{
    CViewDelayTime dialog(m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ms = dialog.m_nDelay;
    return true;
}

bool CQtAppDialogs::AskBlank(float& x, float& y, float& length, float& width)
{
    CBedSizeDlg dialog(m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    x = dialog.m_fX;
    y = dialog.m_fY;
    length = dialog.m_fLength;
    width = dialog.m_fWidth;
    return true;
}

bool CQtAppDialogs::AskSpfRange(std::uint32_t& from, std::uint32_t& to)
{
    CSpfSetView dialog(from, to, m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    from = dialog.m_nFrom;
    to = dialog.m_nTo;
    return true;
}

bool CQtAppDialogs::AskColour(Colour initial, Colour& chosen)
{
    const QColor colour = QColorDialog::getColor(QColor(RedOf(initial), GreenOf(initial), BlueOf(initial)), m_owner);
    if (!colour.isValid())
        return false;
    chosen = MakeRgb(colour.red(), colour.green(), colour.blue());
    return true;
}

std::string CQtAppDialogs::PromptSavePath(const std::string& defaultExt, const std::string& filter,
                                          const std::string& initialName, bool confirmOverwrite)
{
    QFileDialog dialog(m_owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
    dialog.setNameFilter(QString::fromStdString(QtFilter(filter)));
    dialog.setSizeGripEnabled(true);
    if (!initialName.empty())
        dialog.selectFile(QString::fromStdString(initialName));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::string() : files.front().toStdString();
}

bool CQtAppDialogs::AskExportOptions(CExportOptions& options)
{
    CSpfOutPutFormat dialog(options.hasContourFiles, m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options.pathStrategy = dialog.m_pathStrategy;
    options.contourOption = dialog.m_contourOption;
    options.orientation = dialog.m_orientation;
    options.hatchSpace = dialog.m_hatchSpace;
    options.connectHatches = dialog.m_connectHatches;
    return true;
}
