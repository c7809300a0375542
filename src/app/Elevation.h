#pragma once
// The rights of this process, and a start of this program with more of them.

#include <string>

// Whether the process runs with an administrator's full token.
bool RunningElevated();

enum class RelaunchOutcome { Started, Declined, Failed };

// Starts this program again through UAC ("runas") with the same arguments.
// With `wait` it waits for that run and gives its exit code.
RelaunchOutcome RelaunchElevated(const std::u16string& arguments, bool wait, int* exitCode);
