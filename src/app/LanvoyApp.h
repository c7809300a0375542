#pragma once
// One start of the program: an apply run for a desktop shortcut, a second
// start that raises the running window, or the main window.

#include <string>

class IAdapterChanger;
class IMessageBox;
struct StoreEnvironment;

class CLanvoyApp {
public:
    // The text after the program's name; returns the process's exit code.
    int Run(const std::u16string& commandText);

private:
    static void RaiseRunningInstance();
    // A shortcut's run: the profile applied, the outcome shown, its exit code.
    static int RunApply(const StoreEnvironment& storage, IAdapterChanger& changer, IMessageBox& messages,
                        const std::u16string& id);
    // Without the service and without the rights: the same run, elevated.
    static int RunElevated(const std::u16string& commandText, bool applyRun, IMessageBox& messages);
};
