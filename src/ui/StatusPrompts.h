#pragma once
// The texts the status bar and the toolbar's tool tips show. A command's
// string is "prompt\ntip": the status bar shows the prompt, the tool tip the
// tip (the whole string when it has no line break).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char16_t kIdlePrompt[] = u"双击应用IP配置";

// A highlighted menu item: its prompt, empty for an item without a string.
std::u16string MenuPrompt(std::optional<std::u16string_view> string);

// The pointer over a child control: the prompt of the control's ID, or the
// idle prompt when it has no string or is the status bar itself.
std::u16string ControlPrompt(std::optional<std::u16string_view> string, bool isStatusBar);

// A toolbar tool tip, cut to fit a text field of `field` characters with its
// terminator.
std::u16string ToolTipText(std::u16string_view string, std::size_t field = 80);
