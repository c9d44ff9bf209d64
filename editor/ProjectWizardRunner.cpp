#include "editor/ProjectWizardRunner.h"

#include <atomic>

namespace
{

INT_PTR RunWizardSheet(CProjectWizardRun&)
{
    return IDCANCEL;
}

std::atomic<ProjectWizardHandler> g_handler{&RunWizardSheet};

}   // namespace

INT_PTR RunProjectWizard(CProjectWizardRun& run)
{
    return g_handler.load()(run);
}

ProjectWizardHandler SetProjectWizardHandler(ProjectWizardHandler handler)
{
    return g_handler.exchange(handler ? handler : &RunWizardSheet);
}
