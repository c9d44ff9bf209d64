// The one message-box call of the program code. It goes through a replaceable handler: on Windows the
// default shows MessageBoxA owned by the active window; elsewhere the default records the call and
// answers with the box's default button. Tests install a CMessageBoxRecorder so that no box ever waits
// for a user.
#pragma once

#include "framework/core/wintypes.h"

#include <mutex>
#include <string>
#include <vector>

// type: the MB_ flags (buttons, icon, default button). Returns the id of the chosen button (IDOK, ...).
int AfxCoreMessageBox(const char* text, const char* caption, unsigned type);

// The text with a line break put into every run of more than 80 characters without a blank or a line break
// (a path, mostly): after a backslash once the line has 60 characters, else after the 80th. A box does not
// break such a run and would grow wider than the screen. The box on the screen shows the text so broken.
std::string AfxBreakLongRuns(const std::string& text);

typedef int (*AfxMessageBoxHandler)(const char* text, const char* caption, unsigned type);
// Installs a handler (null restores the default) and returns the previous one.
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);

// The answer of a box whose default button is pressed: the first button unless MB_DEFBUTTON2/3/4
// picks another.
int AfxDefaultMessageBoxAnswer(unsigned type);

struct VxMessageBoxRecord
{
    std::string text;
    std::string caption;
    unsigned type;
};

// The calls the native default handler has recorded (empty on Windows), and clearing them.
std::vector<VxMessageBoxRecord> AfxRecordedMessageBoxes();
void AfxClearRecordedMessageBoxes();

// While it lives, every message box is recorded here and answered with 'answer' (0: the default button).
// Recorders nest; the previous handler comes back when the recorder is destroyed.
class CMessageBoxRecorder
{
public:
    explicit CMessageBoxRecorder(int answer = 0);
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    void SetAnswer(int answer);
    std::vector<VxMessageBoxRecord> Records() const;
    size_t Count() const;
    std::string LastText() const;   // empty when none
    void Clear();

private:
    static int Handler(const char* text, const char* caption, unsigned type);

    mutable std::mutex m_mutex;
    int m_answer;
    std::vector<VxMessageBoxRecord> m_records;
    AfxMessageBoxHandler m_previousHandler;
    CMessageBoxRecorder* m_previousRecorder;
};
