// The object slot of a slide: one object of every kind embedded, and a kind number that says which of them
// is live. A slide holds 50 of them; the slot's number is the object number in the show text.
#pragma once

#include "show/AniText.h"
#include "show/FrameObj.h"
#include "show/ImageObj.h"
#include "show/SlideBasicObj.h"

class CSlideObjSlot : public CObject
{
    DECLARE_DYNAMIC(CSlideObjSlot)
public:
    enum
    {
        KIND_NONE = 0,
        KIND_TEXT = 1,
        KIND_IMAGE = 2,
        KIND_RECTANGLE = 3
    };

    CSlideObjSlot();
    ~CSlideObjSlot() override;

    // Unused, no kind, every object at its defaults.
    void Clear();
    // Every object cleared, unused; the kind stays.
    void ClearObjects();
    void CopyFrom(const CSlideObjSlot& other);
    BOOL IsRectangle() const { return m_nKind == KIND_RECTANGLE; }

    // Reads key OBJnn of object number n and the object it names; does not reset the slot first.
    void Read(int n, CSettingsFile& file, const char* section);
    // Writes OBJnn and the live object's keys under number n; nothing when the slot is unused.
    void Write(int n, CSettingsFile& file, const char* section);

    void CreateText(int x, int y, const char* text, const char* animationName, const char* fontName, int fontSize,
                    const char* fontWeight, BOOL underline, BOOL italic, int effect, COLORREF color, int delay);
    void CreateImage(int x, int y, const char* file, int animation, int delay, BOOL transparent,
                     COLORREF transparentColor, int speed, const CProjectPack* pack);
    void CreateRectangle(const FrameObjRecord& record);

    void Prepare(const CProjectPack* pack, CWnd* window);
    void MoveTo(int x, int y, int width, int height);
    void GetPosition(int& x, int& y);
    void Describe(CString& text);
    void GetRect(CRect& rect);
    void GetAnimationName(CString& name);
    void GetInfoText(CString& text);
    void SetVisible(BOOL visible);
    int GetDelay();
    void SetDelay(int delay);
    void TrackRectangle(CPoint point, CWnd* window);
    void DropRectangle(int x, int y);
    void Draw(CDC* dc, const CRect& canvas, int number, BOOL selected, CRect& drawn);

    void ApplyTextStyle(const CAniText& source);
    void ApplyImageStyle(const CImageObj& source);
    // Takes the other rectangle's settings; a used rectangle is then kept inside a 638 x 466 area.
    void ApplyRectangleStyle(const CFrameObj& source);

    // The live object, or null when the kind is none.
    CSlideBasicObj* GetLiveObject();

    BOOL m_bUsed;
    int m_nKind;
    CImageObj m_Image;
    CAniText m_Text;
    CFrameObj m_Frame;
    BOOL m_bThumbnail;   // the slide draws the slot into a thumbnail

private:
    CSlideObjSlot(const CSlideObjSlot&) = delete;
    CSlideObjSlot& operator=(const CSlideObjSlot&) = delete;
};
