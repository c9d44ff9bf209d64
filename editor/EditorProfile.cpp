#include "editor/EditorProfile.h"

int GetProfileValue(const CProfileNumber& setting)
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt(setting.section, setting.key, setting.fallback))
               : setting.fallback;
}

void SetProfileValue(const CProfileNumber& setting, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(setting.section, setting.key, value);
}

CString GetProfileValue(const CProfileText& setting)
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(setting.section, setting.key, "") : CString();
}

void SetProfileValue(const CProfileText& setting, const char* value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(setting.section, setting.key, value);
}
