// lanvoy.exe: switches the machine's Ethernet adapters between stored profiles.

#include "app/LanvoyApp.h"
#include "platform/WideText.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandText, int)
{
    CLanvoyApp app;
    return app.Run(commandText ? FromWide(commandText) : std::u16string());
}
