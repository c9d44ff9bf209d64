// The one call through which the document runs the project wizard: a new project's eight pages, or the
// settings' six. The call goes through a replaceable handler, so that tests of the document can answer for
// the wizard.
#pragma once

#include "framework/win/Framework.h"

class CProjectSettings;

struct CProjectWizardRun
{
    enum
    {
        NEW_PROJECT = 0,
        SETTINGS = 1
    };

    int mode = NEW_PROJECT;
    // In: the settings the pages start from. Out, after Finish or OK: the settings the user chose.
    CProjectSettings* settings = nullptr;
    BOOL tutor = FALSE;   // the project is made from a tutorial example
    CString exampleFolder;
    CString exampleName;
    BOOL copyStartProgram = FALSE;   // out: the completion page's choice
};

// The sheet's result: ID_WIZFINISH or IDOK when the settings came back, anything else when cancelled.
INT_PTR RunProjectWizard(CProjectWizardRun& run);

typedef INT_PTR (*ProjectWizardHandler)(CProjectWizardRun& run);
// Installs a handler (null restores the real wizard) and returns the previous one.
ProjectWizardHandler SetProjectWizardHandler(ProjectWizardHandler handler);
