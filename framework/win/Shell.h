// The outside programs an application opens: the help viewer and the shell. Both calls go through
// replaceable handlers, so that tests record them instead of starting anything.
#pragma once

#include "framework/core/Core.h"

typedef HWND (*AfxHtmlHelpHandler)(HWND hWndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
typedef HINSTANCE (*AfxShellExecuteHandler)(HWND hWnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                                            LPCSTR lpDirectory, INT nShowCmd);

// HtmlHelpA of the help viewer (hhctrl.ocx, loaded on first use and freed at the end of the program); null
// when the viewer cannot be loaded or opens nothing.
HWND AfxHtmlHelp(HWND hWndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
// ShellExecuteA; values above 32 mean success.
HINSTANCE AfxShellExecute(HWND hWnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                          INT nShowCmd);

// Install a handler (null restores the real call) and return the previous one.
AfxHtmlHelpHandler AfxSetHtmlHelpHandler(AfxHtmlHelpHandler handler);
AfxShellExecuteHandler AfxSetShellExecuteHandler(AfxShellExecuteHandler handler);
