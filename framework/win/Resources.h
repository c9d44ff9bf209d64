// Resources found by the user's user-interface language: first that language, then language-neutral, then
// English. (The system's own lookup prefers the neutral copy, so a German user would not get the German
// texts.) Strings come back in code page 1252.
#pragma once

#include "framework/core/Core.h"

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// The language looked up first: the user's UI language unless a program or test chose another (0 undoes).
LANGID AfxGetUILanguage();
void AfxSetUILanguage(LANGID langId);

// Finds a resource in the language order above (any language as a last resort); null when absent.
HRSRC AfxFindResource(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType);
// The language of the resource that AfxFindResource would pick; 0xFFFF when absent.
LANGID AfxFindResourceLanguage(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType);
// The resource's bytes (they stay valid as long as the module is loaded); null when absent.
const void* AfxLoadResourceData(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType, DWORD* pSize = nullptr);

// String resource nID in code page 1252. FALSE (rString unchanged) when there is none.
BOOL AfxLoadString(UINT nID, CString& rString, HINSTANCE hInst = nullptr);
// Buffer form: copies at most nMaxBuf - 1 characters and a terminator; returns the length copied (0 none).
int AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf = 256);
// Dialog template and menu in the language order.
const DLGTEMPLATE* AfxLoadDialogTemplate(HINSTANCE hInst, LPCSTR lpszTemplateName);
HMENU AfxLoadMenu(HINSTANCE hInst, LPCSTR lpszMenuName);
// An accelerator table in the language order, made with CreateAcceleratorTableA: the caller destroys it.
HACCEL AfxLoadAccelerators(HINSTANCE hInst, LPCSTR lpszTableName);

// CString::LoadString uses AfxLoadString: this module installs it once, when the program starts.
