// The editor's resources as the program carries them: the tool bar in the layout the tool bar reads, its
// bitmaps, menu, accelerators, strings, cursors and version; and the help file with every topic the editor
// opens.
#include "EditorTestSupport.h"
#include "framework/win/Resources.h"
#include "resources/editor/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

using namespace editortest;

namespace
{

const BYTE* Data(LPCSTR type, UINT id, DWORD* size)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!resource)
        return nullptr;
    *size = SizeofResource(module, resource);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
}

SIZE BitmapSize(UINT id)
{
    SIZE size = {0, 0};
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return size;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    DeleteObject(bitmap);
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
    return size;
}

}   // namespace

TEST(EditorResources, ToolBarMenuAndAccelerators)
{
    // Tool bar 135: 16-bit words version, image width, image height, count, then the commands.
    DWORD size = 0;
    const BYTE* bar = Data(MAKEINTRESOURCEA(RT_TOOLBAR_DATA), IDR_TOOLBAR, &size);
    ASSERT_NE(nullptr, bar);
    const WORD expected[] = {1,     42,    35,    11,    32775, 57601, 57603, 32782,
                             32776, 32771, 32773, 32772, 32774, 32783, 57664};
    ASSERT_EQ(sizeof(expected), size);
    EXPECT_EQ(0, std::memcmp(expected, bar, size));
    EXPECT_EQ(11 * 42, BitmapSize(IDR_TOOLBAR).cx);
    EXPECT_EQ(35, BitmapSize(IDR_TOOLBAR).cy);
    EXPECT_EQ(11 * 42, BitmapSize(IDB_TOOLBAR_DISABLED).cx);
    EXPECT_EQ(36, BitmapSize(IDB_TOOLBAR_DISABLED).cy);

    HMENU menu = AfxLoadMenu(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, menu);
    const char* popups[] = {"&Project", "&Slide", "&Compiler", "&Tutor", "&Help"};
    ASSERT_EQ(5, GetMenuItemCount(menu));
    for (int i = 0; i < 5; i++)
    {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(popups[i], text);
    }
    char text[64] = {};
    GetMenuStringA(menu, ID_COMPILE_PROJECT, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("&Compile Project...", text);
    GetMenuStringA(menu, ID_FILE_MRU_FILE1, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("Letzte Datei", text);
    DestroyMenu(menu);

    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, accelerators);
    ACCEL keys[32];
    int count = CopyAcceleratorTableA(accelerators, keys, 32);
    EXPECT_EQ(14, count);
    auto command = [&](BYTE flags, WORD key)
    {
        for (int i = 0; i < count; i++)
            if ((keys[i].fVirt & ~FNOINVERT) == (flags | FVIRTKEY) && keys[i].key == key)
                return static_cast<int>(keys[i].cmd);
        return -1;
    };
    EXPECT_EQ(57600, command(FCONTROL, 'N'));
    EXPECT_EQ(57601, command(FCONTROL, 'O'));
    EXPECT_EQ(57603, command(FCONTROL, 'S'));
    EXPECT_EQ(ID_NEXT_PANE, command(0, VK_F6));
    EXPECT_EQ(ID_PREV_PANE, command(FSHIFT, VK_F6));
    EXPECT_EQ(ID_HELP_CONTENTS, command(0, VK_F1));
    DestroyAcceleratorTable(accelerators);
}

TEST(EditorResources, StringsIconsCursorsAndVersion)
{
    struct
    {
        UINT id;
        const char* text;
    } strings[] = {
        {IDS_COMPILE_SYSTEM,
         "Compilation can only be done on the following Windows systems: NT, 2000, XP, 2003 !"},
        {IDS_COMPILE_PLAYER_READ_ONLY, "No writing authorization for the player file. "},
        {IDS_PROJECT_COMPILED,
         "The project's player \"%s\" carries a compiled show that differs from the project.\n\nTest runs play the "
         "project as it is now. The compiled program keeps playing its old show until the project is compiled "
         "again."},
        {IDS_PROJECT_OLDER_VERSION,
         "The project was created with an older program version ! \n\n\nShould the project be updated ?"},
        {ID_PROJECT_NEW, "Create new project\nCreate new project"},
        {ID_PROJECT_EXPLORE, "Start Windows Explorer\nStart Windows Explorer"},
    };
    for (const auto& s : strings)
    {
        CString text;
        EXPECT_TRUE(text.LoadString(s.id)) << s.id;
        EXPECT_STREQ(s.text, text) << s.id;
    }
    CString success;
    success.LoadString(IDS_COMPILE_SUCCESS);
    EXPECT_STREQ("Compiling process was successful\n\nThe project file \"%s\" (%d Bytes)\nhas been successfully "
                 "inserted into the file \"%s\".\n\nNOTE\nSubsequent changes to the project will require the "
                 "compilation process to be repeated",
                 success);

    HINSTANCE module = GetModuleHandleA(nullptr);
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(nullptr, icon);
    DestroyIcon(icon);
    for (UINT id : {IDC_DRAW_RECTANGLE, IDC_SELECT_OBJECTS})
    {
        HCURSOR cursor = static_cast<HCURSOR>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, 0));
        EXPECT_NE(nullptr, cursor) << id;
        DestroyCursor(cursor);
    }
    DWORD size = 0;
    EXPECT_NE(nullptr, Data(RT_DIALOG, IDD_COMPILE, &size));
    const BYTE* version = Data(RT_VERSION, 1, &size);
    ASSERT_NE(nullptr, version);
    DWORD signature = 0, fileVersionMS = 0;
    std::memcpy(&signature, version + 40, 4);
    std::memcpy(&fileVersionMS, version + 48, 4);
    EXPECT_EQ(0xFEEF04BDu, signature);
    EXPECT_EQ(MAKELONG(0, 2), fileVersionMS);   // 2.0: the editor writes "020000" into its shows
}

TEST(EditorResources, TheHelpFileHoldsEveryTopicTheEditorOpens)
{
    const std::string help = AppFolder() + "\\vexul.chm";
    ASSERT_TRUE(IsBuilt(help));
    Bytes chm = ReadFileBytes(help);
    ASSERT_GT(chm.size(), 4u);
    EXPECT_EQ(0, std::memcmp(chm.data(), "ITSF", 4));
    // The file's directory names every page with its folder, in plain text.
    const char* topics[] = {
        "Index.htm",         "vc_project.htm",     "vc_playerwindow.htm",    "vc_control.htm",
        "vc_bgsound.htm",    "vc_contactinfo.htm", "vc_fileinfo.htm",        "vp_starter.htm",
        "vc_compiler.htm",   "vc_slideedit.htm",   "vc_slidefeature.htm",    "vc_slideadd.htm",
        "vc_textobject.htm", "vc_imageobject.htm", "vc_rectangleobject.htm", "vc_objectlist.htm"};
    for (const char* topic : topics)
    {
        std::string name = std::string("/public/") + topic;
        EXPECT_NE(chm.end(), std::search(chm.begin(), chm.end(), name.begin(), name.end())) << topic;
    }
}

TEST(EditorResources, TheMessagesAndLabelsAreThereInEnglishAndGerman)
{
    const UINT messages[] = {IDS_PICTURE_UNREADABLE,    IDS_TEXT_TOO_LONG,          IDS_FOLDER_CREATE_QUESTION,
                             IDS_UPDATE_START_FAILED,   IDS_WEB_PAGE_START_FAILED,  IDS_COMPILE_FILES_TRAVEL,
                             IDS_FILE_UNREADABLE,       IDS_IMPORT_COPY_FAILED,     IDS_SIZE_MISMATCH_FILE,
                             IDS_PACK_REASON_FULL,      IDS_PACK_REASON_UNREADABLE, IDS_PICTURES_UNREADABLE,
                             IDS_BACKGROUND_NOT_PACKED, IDS_IMAGE_OBJECT_NOT_PACKED, IDS_PACK_CHANGED_ON_DISK,
                             IDS_PATH_TOO_LONG,         IDS_OLD_PACK_NOT_KEPT,      IDS_PROJECT_FILE_NOT_MOVED,
                             IDS_NEED_PROJECT_FOLDER,   IDS_PROJECT_FOLDER_TOO_LONG, IDS_NEED_SOUND_FILE,
                             IDS_NEED_PROGRAM_FILE,     IDS_NEED_BACKGROUND_IMAGE,  IDS_NEED_TEXT,
                             IDS_FILE_COPIED_UNDER_FREE_NAME, IDS_SAVE_CHANGES_QUESTION, IDS_FILE_OVERWRITE_QUESTION,
                             IDS_IMAGE_SIZE_NOTICE,     IDS_HOME_PAGE,              IDS_SUPPORT_PAGE,
                             IDS_UPDATE_PAGE,           IDS_UPDATE_LANGUAGE,        IDS_TEXTURE_NAME_KEY,
                             IDS_SCREEN_TOO_SMALL, IDS_DELETE_SLIDE_QUESTION, IDS_CLICK_THUMBNAILS_IN_ORDER,
                             IDS_OPEN_PROJECT_FIRST, IDS_SAME_BACKGROUND_SIZE, IDS_CLICK_OBJECTS_IN_ORDER,
                             IDS_OBJECTS_WOULD_LEAVE_WINDOW, IDS_INSERT_AS_IMAGE_OBJECT, IDS_MAX_IMAGE_OBJECTS,
                             IDS_MAX_TEXT_OBJECTS, IDS_MAX_RECTANGLE_OBJECTS, IDS_DELETE_OBJECT_QUESTION,
                             IDS_FOLDER_PATH_TOO_LONG, IDS_FOLDER_NOT_CREATED, IDS_ADD_SLIDE_HINT,
                             IDS_MENU_EDIT_SLIDE, IDS_MENU_DELETE_SLIDE, IDS_MENU_TEST_SLIDE, IDS_MENU_TEST_SHOW,
                             IDS_MENU_ADD_SLIDE, IDS_MENU_SLIDE_ORDER, IDS_MENU_PROJECT_SETTINGS,
                             IDS_OBJECT_LIST_NUMBER, IDS_OBJECT_LIST_TYPE, IDS_OBJECT_LIST_TIME,
                             IDS_OBJECT_LIST_WIDTH, IDS_OBJECT_LIST_HEIGHT, IDS_OBJECT_LIST_CONTENT, IDS_KIND_IMAGE,
                             IDS_KIND_RECTANGLE, IDS_OBJECT_LIST_SLIDE, IDS_ABOUT_FILE_VERSION,
                             IDS_PROJECT_SETTINGS_TITLE, IDS_FILTER_IMAGES, IDS_FILTER_ICONS, IDS_FILTER_SOUNDS,
                             AFX_IDS_PATH_TOO_LONG, IDS_SAVE_AS_TITLE, IDS_SAVE_AS_TEXT, IDS_SAVE_AS_REPLACE_PROJECT,
                             IDS_PACK_WRITE_PROTECTED_SAVE, IDS_SAVE_WRITE_PROTECTED, IDS_SAVE_FOLDER_GONE,
                             IDS_SAVE_FAILED_UNCHANGED, IDS_SAVE_FAILED, IDS_EDITOR_PLAYER_MISSING,
                             IDS_WINDOW_SIZE_ADJUSTED, IDS_PACK_BEING_SAVED, IDS_COPY_SOURCE_MISSING,
                             IDS_COPY_TARGET_NOT_CREATED, IDS_COPY_TARGET_NOT_WRITTEN, IDS_COPY_SOURCE_EMPTY};
    std::set<UINT> ids;
    for (UINT id : messages)
    {
        EXPECT_TRUE(ids.insert(id).second) << id << " is the number of two messages";
        CString english, german;
        AfxSetUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        EXPECT_TRUE(english.LoadString(id)) << id;
        AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
        EXPECT_TRUE(german.LoadString(id)) << id;
        EXPECT_STRNE(english, german) << id;
    }
    // German letters arrive in the program's code page.
    CString german;
    AfxSetUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    german.LoadString(IDS_PACK_REASON_FULL);
    AfxSetUILanguage(0);   // the user's language again
    EXPECT_NE(-1, german.Find("enthält")) << german.GetString();
}

TEST(EditorResources, TheFirstTipSaysWhatTheEditorDoesWithPicturesOfAnotherSize)
{
    const std::string tipsFile = AppFolder() + "\\tips.txt";
    ASSERT_TRUE(IsBuilt(tipsFile));
    Bytes bytes = ReadFileBytes(tipsFile);
    const std::string tips(bytes.begin(), bytes.end());
    EXPECT_EQ(std::string::npos, tips.find("stretched"));
    EXPECT_LT(tips.find("\"Insert New Slide\" takes only pictures of that size"),
              tips.find("Double-click a slide"));
}
