#pragma once
// The texts the user sees from more than one place of the program, written
// once. Texts of one place stay beside the code that shows them.

inline constexpr char16_t kDialogLoadError[] = u"载入对话框错误！";
inline constexpr char16_t kAdaptersLoadError[] = u"载入网卡信息有误！";
inline constexpr char16_t kNoAdapters[] = u"本机没有任何安装任何网卡！";
inline constexpr char16_t kSaveFailed[] = u"保存配置文件失败!";
// A new profile's proposed name: this and the next free number.
inline constexpr char16_t kNewNamePrefix[] = u"配置方案";
