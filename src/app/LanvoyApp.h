#pragma once
// One start of the program: an apply run for a desktop shortcut, a second
// start that raises the running window, or the main window.

#include <string>

class IMessageBox;

class CLanvoyApp {
public:
    // The text after the program's name; returns the process's exit code.
    int Run(const std::u16string& commandText);

private:
    static void RaiseRunningInstance();
    // Without the service and without the rights: the same run, elevated.
    static int RunElevated(const std::u16string& commandText, bool applyRun, IMessageBox& messages);
};
