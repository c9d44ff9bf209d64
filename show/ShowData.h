// The whole show in memory: show-wide settings and 40 slides, with the reader and the writer of the show
// text (the pack entry "VEXUL.INI").
#pragma once

#include "framework/win/Framework.h"
#include "show/SettingsFile.h"
#include "show/Slide.h"

class CFontNameList;
class CProjectSettings;

class CShowData : public CObject
{
    DECLARE_DYNAMIC(CShowData)
public:
    enum
    {
        MaxSlides = 40
    };

    CShowData();
    ~CShowData() override;

    void SetDefaults();

    // Parses a show text held in memory; the block's last byte counts as its terminator. Values missing
    // from the text keep what they had (callers reset first). FALSE when there is no block to read.
    BOOL ReadShowText(const char* name, const void* data, int size);
    // Writes the whole show into a new text. Reduces image names to bare file names and makes the end
    // program relative to the project folder, in the model too.
    void WriteShowText(const char* name, const char* projectFolder);
    // With a font collector set: writes the show and returns its text (owned by the show) and length;
    // without one: null, nothing written.
    const char* BuildShowText(const char* name, const char* projectFolder, int* length);

    void ApplyTextStyleToAllSlides(int slide, int object);
    void ApplyImageStyleToAllSlides(int slide, int object);
    void ApplyBackgroundEffectsToAllSlides(int slide);
    void DeleteSlide(int index);

    // The slide at index, or null outside 0 … 39.
    CSlide* GetSlide(int index);
    // Number of slides whose background image name is not empty.
    int CountShowSlides() const;

    // Copies to and from the editor's project settings (every field but the folder; the slide size
    // follows the window). Defined by the editor, which owns the settings record.
    void SetFromProjectSettings(const CProjectSettings& settings);
    void GetProjectSettings(CProjectSettings& settings) const;

    CString m_strShowVersion;
    int m_nAutoExit;
    int m_nLoop;
    COLORREF m_crBackground;
    int m_nWindowWidth;
    int m_nWindowHeight;
    int m_nDesktopMode;
    CString m_strTitle;
    CString m_strIconFile;
    BOOL m_bSoundOn;
    CString m_strSoundFile;
    int m_nRepeatSound;
    int m_nAutostartOn;
    CString m_strAutostartFile;
    CSlide m_Slides[MaxSlides];
    CString m_strContactLine[6];
    CString m_strContactMail;
    CString m_strContactWeb;
    int m_nContactOn;
    int m_nFileInfoOn;
    int m_nFileVersion[4];
    CString m_strCopyright;
    CString m_strDescription;
    CString m_strCompany;
    CString m_strProductVersion;
    int m_nAdvanceMode;
    CFontNameList* m_pFontCollector;   // not owned
    int m_nSlideWidth;
    int m_nSlideHeight;
    int m_nSlideOption;
    CSettingsFile m_Settings;

private:
    CShowData(const CShowData&) = delete;
    CShowData& operator=(const CShowData&) = delete;
};
