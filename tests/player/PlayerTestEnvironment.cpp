// Sets the test program up as the player sets itself up: the framework, the language letter and the
// player's picture loader.
#include "player/PlayerPictures.h"
#include "show/ImageObj.h"
#include "show/Language.h"

#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

class PlayerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        SetLanguage(LETTER_GERMAN);
        m_pPictureLoader.reset(new CImageObj::CLoaderInstallation(&LoadPlayerPicture));
    }
    void TearDown() override { m_pPictureLoader.reset(); }

private:
    std::unique_ptr<CImageObj::CLoaderInstallation> m_pPictureLoader;
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new PlayerEnvironment);

}   // namespace
