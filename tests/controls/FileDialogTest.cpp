// The system's open dialog in a real window, answered from another thread as
// a user would answer it: by typing a name and pressing the button.

#include "controls/FileDialog.h"
#include "platform/ProcessPaths.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace {

// A visible dialog of `thread` other than `besides`; null when there is none.
HWND DialogOf(DWORD thread, HWND besides = nullptr)
{
    struct Search {
        HWND besides, found;
    } search{besides, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM l) {
            auto& search = *reinterpret_cast<Search*>(l);
            wchar_t name[16] = {};
            if (window != search.besides && IsWindowVisible(window) && GetClassNameW(window, name, 16) &&
                std::wstring(name) == L"#32770") {
                search.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits up to ten seconds for `done`.
template <typename Done>
bool WaitFor(Done done)
{
    for (int tries = 0; tries < 1000; ++tries) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The box the file's name is typed in: a combo box in the explorer look, an
// edit in the old one.
HWND NameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, cmb13);
    return box ? box : GetDlgItem(dialog, edt1);
}

std::wstring Text(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"lanvoy-open-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        file = folder + L"\\old profiles.xml";
        HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, created);
        CloseHandle(created);
    }
    void TearDown() override
    {
        DeleteFileW(file.c_str());
        RemoveDirectoryW(folder.c_str());
    }

    // Opens the dialog here and answers it on another thread: what the name
    // box first shows, then `typed` and the open button, or cancel.
    std::optional<std::u16string> Answer(const std::wstring& typed, bool open)
    {
        const DWORD self = GetCurrentThreadId();
        std::thread user([&] {
            HWND dialog = nullptr;
            if (!WaitFor([&] { return (dialog = DialogOf(self)) != nullptr; }))
                return;
            shown = Text(NameBox(dialog));
            SetWindowTextW(NameBox(dialog), typed.c_str());
            PostMessageW(dialog, WM_COMMAND, open ? IDOK : IDCANCEL, 0);
            if (WaitFor([&] { return !IsWindow(dialog); }))
                return;
            // Refused, with a box that says why: answered, and the dialog
            // cancelled, so that the test ends.
            if (HWND refusal = DialogOf(self, dialog))
                PostMessageW(refusal, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !DialogOf(self, dialog); });
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        std::optional<std::u16string> answer =
            COpenFileDialog({{u"XML Files (*.xml)", u"*.xml"}, {u"All Files (*.*)", u"*.*"}}, u"ipconfig.xml", u"xml")
                .Ask(nullptr);
        user.join();
        return answer;
    }

    std::wstring folder, file, shown;
};

TEST_F(FileDialogTest, AnswersTheChosenFilesFullPathAndLeavesTheCurrentFolder)
{
    const std::u16string before = CurrentDirectory();
    const std::optional<std::u16string> chosen = Answer(file, true);
    EXPECT_EQ(L"ipconfig.xml", shown) << "the suggested name";
    ASSERT_TRUE(chosen);
    EXPECT_EQ(std::u16string(file.begin(), file.end()), *chosen);
    EXPECT_EQ(before, CurrentDirectory());
}

TEST_F(FileDialogTest, CancelledAnswersNothing)
{
    EXPECT_FALSE(Answer(file, false));
}

}  // namespace
