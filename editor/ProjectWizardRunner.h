// The one call through which the document runs the project wizard (a new project's eight pages, or the
// settings' six). It goes through a replaceable handler, so that tests of the document can answer for the
// wizard.
#pragma once

#include "framework/win/Framework.h"

class CProjectSettings;

typedef BOOL (*ProjectWizardHandler)(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor,
                                     const char* exampleFolder, const char* helpFile);

// As RunProjectWizard (ProjectWizard.h): TRUE when the user took the settings, which then hold the result.
BOOL RunDocumentWizard(int mode, CProjectSettings& settings, int& copyStartProgram, BOOL tutor,
                       const char* exampleFolder, const char* helpFile);

// Installs a handler (null restores the real wizard) and returns the previous one.
ProjectWizardHandler SetProjectWizardHandler(ProjectWizardHandler handler);
