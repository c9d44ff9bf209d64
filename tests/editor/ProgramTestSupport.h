// The editor program inside a test: the document template on the editor's application object, the main
// frame with the slide view, the project wizard answered by the test, message boxes answered by rules and
// recorded, and projects made of solid-colour pictures.
#pragma once

#include "EditorTestSupport.h"
#include "editor/MainFrame.h"
#include "editor/ProjectWizard.h"
#include "editor/ProjectWizardRunner.h"
#include "editor/VexulCreatorApp.h"
#include "editor/VexulCreatorDoc.h"
#include "editor/VexulCreatorView.h"
#include "resources/editor/resource.h"
#include "support/BmpFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace editortest
{

// Answers message boxes by the first rule whose text part the box's text holds (else by the rules of the
// script it was made inside of, else with the box's default button) and records every box.
class CBoxScript
{
public:
    struct Rule
    {
        std::string part;
        int answer;
    };
    CBoxScript();
    ~CBoxScript();
    CBoxScript(const CBoxScript&) = delete;
    CBoxScript& operator=(const CBoxScript&) = delete;

    void Answer(const std::string& part, int answer) { m_rules.push_back({part, answer}); }
    const std::vector<std::string>& Texts() const { return m_texts; }
    // How many boxes held the text part.
    int Count(const std::string& part) const;
    void Clear() { m_texts.clear(); }
    // Runs for every box before it is answered (the test looks at the program's state then).
    std::function<void(const std::string&)> m_onBox;

private:
    static int Handler(const char* text, const char* caption, unsigned type);
    std::vector<Rule> m_rules;
    std::vector<std::string> m_texts;
    AfxMessageBoxHandler m_previous;
    CBoxScript* m_pOuter;
};

// A solid-colour BMP of the default slide size written into a folder; its path comes back.
std::string WriteSlidePicture(const std::string& folder, const std::string& name, COLORREF colour, int width = 638,
                              int height = 466);

// The colour at the centre of a thumbnail bitmap.
COLORREF BitmapCentre(HBITMAP bitmap);

class EditorProgram : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CVexulCreatorDoc* Doc() const;
    CVexulCreatorView* View() const;
    CMainFrame* Frame() const;
    // Sends a command to the main frame as the menu does.
    void Command(UINT id) const;
    // Handles what is queued, as the program's loop would.
    void Pump() const;
    // Waits until the thumbnail worker is done and its thumbnails are in place.
    bool WaitForThumbnails() const;

    // A new project in the folder, the wizard answering with Finish; TRUE when the document made it.
    BOOL NewProject(const std::string& folder);
    // A project of that many slides in a folder of its own, saved; the pack's path comes back.
    std::string MakeSavedProject(const std::string& folder, const std::vector<COLORREF>& colours);
    // The wizard's answer for the next run (the folder of the new project) and what it was asked.
    static std::string s_wizardFolder;
    static std::string s_wizardSound;   // a background sound the wizard chooses (none when empty)
    static bool s_wizardAccepts;
    static std::vector<int> s_wizardModes;

private:
    static BOOL AnswerWizard(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor,
                             const char* exampleFolder, const char* helpFile);
    ProjectWizardHandler m_previousWizard = nullptr;
    // Unless a test says otherwise, changes are not saved when the program asks.
    std::unique_ptr<CBoxScript> m_baseBoxes;
};

}   // namespace editortest
