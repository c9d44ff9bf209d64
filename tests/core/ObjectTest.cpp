#include <gtest/gtest.h>

#include "framework/core/Core.h"

namespace
{

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
public:
    int m_sides = 0;
};

class CSquare : public CShape
{
    DECLARE_DYNCREATE(CSquare)
public:
    CSquare() { m_sides = 4; }
    double m_extra[4] = {};
};

class CSlideMap : public CMapPtrToPtr
{
    DECLARE_DYNAMIC(CSlideMap)
};

}   // namespace

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CSquare, CShape)
IMPLEMENT_DYNAMIC(CSlideMap, CMapPtrToPtr)

TEST(RuntimeClass, NameSizeAndBase)
{
    CRuntimeClass* c = RUNTIME_CLASS(CSquare);
    EXPECT_STREQ(c->m_lpszClassName, "CSquare");
    EXPECT_EQ(c->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
    EXPECT_EQ(c->m_pBaseClass, RUNTIME_CLASS(CShape));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CSlideMap)->m_pBaseClass, RUNTIME_CLASS(CMapPtrToPtr));
}

TEST(RuntimeClass, IsKindOfFollowsTheChain)
{
    CSquare square;
    CShape shape;
    const CObject* asObject = &square;
    EXPECT_EQ(asObject->GetRuntimeClass(), RUNTIME_CLASS(CSquare));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_FALSE(shape.IsKindOf(nullptr));
    CSlideMap map;
    EXPECT_TRUE(map.IsKindOf(RUNTIME_CLASS(CMapPtrToPtr)));
}

TEST(RuntimeClass, CreateObjectOnlyForCreatableClasses)
{
    CObject* made = RUNTIME_CLASS(CSquare)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(static_cast<CSquare*>(made)->m_sides, 4);
    delete made;
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
}

TEST(MessageBoxHook, RecorderAnswersAndKeepsTheTexts)
{
    CMessageBoxRecorder recorder(IDNO);
    EXPECT_EQ(AfxCoreMessageBox("Save changes?", "Vexul", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxCoreMessageBox("Second", nullptr, MB_OK), IDNO);
    recorder.SetAnswer(0);
    EXPECT_EQ(AfxCoreMessageBox("Third", "C", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    auto records = recorder.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].text, "Save changes?");
    EXPECT_EQ(records[0].caption, "Vexul");
    EXPECT_EQ(records[0].type, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(records[1].caption, "");
    EXPECT_EQ(recorder.LastText(), "Third");
}

TEST(MessageBoxHook, RecordersNestAndRestore)
{
    CMessageBoxRecorder outer(IDOK);
    {
        CMessageBoxRecorder inner(IDCANCEL);
        EXPECT_EQ(AfxCoreMessageBox("inner", "", MB_OKCANCEL), IDCANCEL);
    }
    EXPECT_EQ(AfxCoreMessageBox("outer", "", MB_OKCANCEL), IDOK);
    EXPECT_EQ(outer.Count(), 1u);
    EXPECT_EQ(outer.LastText(), "outer");
}

TEST(MessageBoxHook, RunsTooLongForALineAreBrokenAtABackslashOrAtTheirEightiethCharacter)
{
    const std::string words = "Save changes in C:\\Show\\VEXUL.VXL ? " + std::string(30, ' ') + "Yes";
    EXPECT_EQ(words, AfxBreakLongRuns(words));
    EXPECT_EQ("C:\\" + std::string(77, 'a') + "\n" + std::string(23, 'a') + "\\b.vxl\nfailed",
              AfxBreakLongRuns("C:\\" + std::string(100, 'a') + "\\b.vxl\nfailed"));
    EXPECT_EQ("C:\\" + std::string(62, 'x') + "\\\n" + std::string(30, 'y') + " " + std::string(80, 'z'),
              AfxBreakLongRuns("C:\\" + std::string(62, 'x') + "\\" + std::string(30, 'y') + " " +
                               std::string(80, 'z')));
}

TEST(MessageBoxHook, DefaultButtonAnswers)
{
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_OK), IDOK);
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_OKCANCEL | MB_ICONWARNING), IDOK);
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(AfxDefaultMessageBoxAnswer(MB_RETRYCANCEL), IDRETRY);
}

#ifndef _WIN32
TEST(MessageBoxHook, NativeDefaultRecords)
{
    AfxMessageBoxHandler previous = AfxSetMessageBoxHandler(nullptr);   // the test main installs a recorder
    AfxClearRecordedMessageBoxes();
    EXPECT_EQ(AfxCoreMessageBox("Recorded", "Cap", MB_YESNO), IDYES);
    AfxSetMessageBoxHandler(previous);
    auto records = AfxRecordedMessageBoxes();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "Recorded");
    AfxClearRecordedMessageBoxes();
}
#endif
