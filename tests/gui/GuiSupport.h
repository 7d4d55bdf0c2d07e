#pragma once
#include "app/AppDialogs.h"
#include "app/MainFrm.h"
#include "app/VemoDoc.h"
#include "platform/Language.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <deque>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// File dialogs and the verify question answered from a script; an empty
// script cancels the file dialog and answers No to the question.
class CScriptedDialogs : public IAppDialogs {
public:
    std::string PromptOpenPath(const std::string& defaultExt, const std::string& filter) override
    {
        m_asked.push_back(defaultExt + " " + filter);
        if (m_paths.empty())
            return {};
        std::string path = m_paths.front();
        m_paths.pop_front();
        return path;
    }
    bool AskVerify() override
    {
        ++m_verifyAsked;
        if (m_verify.empty())
            return false;
        const bool answer = m_verify.front();
        m_verify.pop_front();
        return answer;
    }

    std::string PromptSavePath(const std::string& defaultExt, const std::string& filter,
                               const std::string& initialName, bool confirmOverwrite) override
    {
        m_saveAsked.push_back(defaultExt + " " + filter + " " + initialName + (confirmOverwrite ? " ask" : ""));
        if (m_savePaths.empty())
            return {};
        std::string path = m_savePaths.front();
        m_savePaths.pop_front();
        return path;
    }
    bool AskExportOptions(CExportOptions& options) override
    {
        m_optionsShown.push_back(options);
        if (!m_options)
            return false;
        options = *m_options;
        return true;
    }
    std::deque<std::string> m_savePaths;
    std::vector<std::string> m_saveAsked;
    std::optional<CExportOptions> m_options;
    std::vector<CExportOptions> m_optionsShown;

    // Settings dialogs: an unset answer is Cancel.
    bool AskZoomStep(float& step) override { return Give(m_zoomStep, step); }
    bool AskDelay(std::uint32_t& ms) override { return Give(m_delay, ms); }
    bool AskBlank(float& x, float& y, float& length, float& width) override
    {
        if (!m_blank)
            return false;
        x = (*m_blank)[0], y = (*m_blank)[1], length = (*m_blank)[2], width = (*m_blank)[3];
        return true;
    }
    bool AskSpfRange(std::uint32_t& from, std::uint32_t& to) override
    {
        m_rangeShown = {from, to};
        if (!m_range)
            return false;
        from = m_range->first;
        to = m_range->second;
        return true;
    }
    bool AskColour(Colour initial, Colour& chosen) override
    {
        m_colourShown.push_back(initial);
        return Give(m_colour, chosen);
    }

    std::optional<float> m_zoomStep;
    std::optional<std::uint32_t> m_delay;
    std::optional<std::array<float, 4>> m_blank;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> m_range;
    std::pair<std::uint32_t, std::uint32_t> m_rangeShown;
    std::optional<Colour> m_colour;
    std::vector<Colour> m_colourShown;

    std::deque<std::string> m_paths;
    std::deque<bool> m_verify;
    std::vector<std::string> m_asked;   // default extension and filter of each dialog shown
    int m_verifyAsked = 0;

private:
    template <typename T>
    static bool Give(const std::optional<T>& answer, T& out)
    {
        if (!answer)
            return false;
        out = *answer;
        return true;
    }
};

// A main window with its document on scripted dialogs and a scripted
// platform; the language is set before the window is built.
class CFrameFixture {
public:
    explicit CFrameFixture(Language language = Language::English)
    {
        SetLanguage(language);
        m_frame = std::make_unique<CMainFrame>(m_doc, &m_dialogs);
        m_frame->resize(1000, 700);
    }
    ~CFrameFixture() { ResetLanguage(); }

    CScriptedPlatform m_platform;
    CScriptedDialogs m_dialogs;
    CVemoDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

// A binary CLI file of `layers` layers, each one square outer contour from
// (x0, y0) to (x1, y1), layer heights 0.1, 0.2, ...
void WriteSquareCli(const std::string& path, int layers, float x0, float y0, float x1, float y1);
// An SSL file of `layers` layers, each one square contour from (0, 0) to
// (side, side) inches.
void WriteSquareSsl(const std::string& path, int layers, float side);
// A small machine file (the ring test sample) of `layers` layers.
bool WriteSampleSpf(const std::string& path, int layers);
