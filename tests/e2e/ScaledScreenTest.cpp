// The main window and the profile editor on a scaled screen, as the README
// shows them. Only the scaled-screen run, which sets the prefix's scale and a
// virtual desktop that draws title bars, takes them.

#include "Scenario.h"
#include "resource.h"

#include <cstdlib>

namespace e2e {
namespace {

class ScaledScreenTest : public Scenario {};

TEST_F(ScaledScreenTest, MainWindowAndEditorShowWhole)
{
    const char* dpi = std::getenv("LANVOY_EXPECT_DPI");
    if (!dpi)
        GTEST_SKIP() << "taken by the scaled-screen run";
    const std::wstring scale(dpi, dpi + std::char_traits<char>::length(dpi));

    folder.WriteDistributedConfig(ThreeProfiles());
    CProcess& program = folder.Start();
    HWND main = WaitMainWindow(program);
    WaitVisible(main, true);
    ClickRow(main, 0);
    // The pointer away from the rows, so that no tip covers them.
    PointerAway();
    SaveScreenshot(L"main-window-" + scale, main);

    Command(main, ID_PROFILE_NEW);
    HWND editor = WaitDialog(program, kEditorCaption);
    SaveScreenshot(L"editor-" + scale, editor);
}

}  // namespace
}  // namespace e2e
