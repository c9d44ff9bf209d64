// Sets the test program up as the player sets itself up: the framework, the language letter and the
// player's picture loader.
#include "player/PlayerPictures.h"
#include "show/Language.h"

#include "framework/win/Framework.h"

#include <gtest/gtest.h>

namespace
{

class PlayerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        SetLanguage(LETTER_GERMAN);
        InstallPlayerPictureLoader();
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new PlayerEnvironment);

}   // namespace
