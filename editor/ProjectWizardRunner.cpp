#include "editor/ProjectWizardRunner.h"

#include "editor/ProjectWizard.h"

#include <atomic>

namespace
{

BOOL RunWizard(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor, const char* exampleFolder,
               const char* helpFile)
{
    return RunProjectWizard(mode, settings, copyStartProgram, tutor, exampleFolder, helpFile);
}

std::atomic<ProjectWizardHandler> g_handler{&RunWizard};

}   // namespace

BOOL RunDocumentWizard(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor,
                       const char* exampleFolder, const char* helpFile)
{
    return g_handler.load()(mode, settings, copyStartProgram, tutor, exampleFolder, helpFile);
}

ProjectWizardHandler SetProjectWizardHandler(ProjectWizardHandler handler)
{
    return g_handler.exchange(handler ? handler : &RunWizard);
}
