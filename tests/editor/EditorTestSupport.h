// Helpers of the editor's tests: the real player of the build, an icon file maker, file drops and the
// controls of dialogs the tests drive.
#pragma once

#include "framework/win/Framework.h"
#include "support/win_TestFiles.h"
#include "support/win_TestProcess.h"
#include "support/win_Wait.h"

#include <functional>
#include <string>
#include <vector>

namespace editortest
{

typedef std::vector<BYTE> Bytes;

// The application folder of the build and its player (Windows paths); empty when the environment does not
// say where the build is.
std::string AppFolder();
std::string PlainPlayerPath();

// One image of an icon file: a 32-bit bitmap image of size x size in one colour, or a compressed (PNG)
// image whose bytes are only its signature and some filler.
struct IconImageSpec
{
    int size;
    COLORREF colour;
    bool png = false;
};
Bytes MakeIconImage(const IconImageSpec& spec);
// An icon file of the images, their directory entries describing them.
Bytes MakeIconFile(const std::vector<IconImageSpec>& images);

// A resource of a program file, read as a data file; empty when missing.
Bytes ReadResource(const std::string& program, LPCSTR type, LPCSTR name);

// A drop of one file, as the shell hands it over (the receiver frees it).
HDROP MakeDrop(const std::string& path);

// Controls of a dialog the test drives.
std::string ItemText(HWND hDlg, int id);
void SetItemText(HWND hDlg, int id, const std::string& text);
bool IsItemEnabled(HWND hDlg, int id);
// Clicks a button as the user does: its state changes and the dialog hears of it at once.
void PressButton(HWND hDlg, int id);
std::vector<std::string> ComboTexts(HWND hDlg, int id);
// Selects the item of that text in a combo box or list box and tells the dialog.
void SelectItem(HWND hDlg, int id, const std::string& text);
// The name box of the system's file dialog.
HWND FileNameBox(HWND hDlg);

// While it lives the editor's texts come from the German string tables (the editor itself always speaks English);
// afterwards from the tables it used before.
class CGermanTexts
{
public:
    CGermanTexts() : m_previous(AfxGetUILanguage()) { AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)); }
    ~CGermanTexts() { AfxSetUILanguage(m_previous); }
    CGermanTexts(const CGermanTexts&) = delete;
    CGermanTexts& operator=(const CGermanTexts&) = delete;

private:
    LANGID m_previous;
};

}   // namespace editortest
