#pragma once
// Which way this run's adapter changes go. The service makes them for any
// user when it answers; without it only an elevated process may write them,
// so an unelevated one starts itself again with the rights (one UAC prompt).

#include <cstdint>
#include <string>

// What the service said to a status request at start.
struct ServiceState {
    bool answered = false;
    std::u16string version;
    std::uint32_t served = 0;  // requests it has served since it started
};

enum class ChangeRoute { Service, Direct, Elevate };

ChangeRoute ChooseChangeRoute(const ServiceState& service, bool elevated);

// The line "-debug" writes about the service.
std::u16string ServiceFactsText(const ServiceState& service);

// Shown, before the run ends, when the user declines the elevation.
inline constexpr char16_t kElevationDeclined[] =
    u"Lanvoy 服务没有运行，更改网络设置需要管理员权限。\r\n没有取得管理员权限，Lanvoy 将退出。";
