// Choosing the project folder: the one call the wizard's Browse button makes.
#pragma once

#include "framework/win/Framework.h"

// Lets the user choose (or create) a folder, starting at folder. title: the window title; text: the
// explanation shown above the folders. TRUE with the chosen folder in folder; FALSE (folder unchanged) when
// the user cancelled.
BOOL BrowseForProjectFolder(CWnd* owner, const char* title, const char* text, CString& folder);
