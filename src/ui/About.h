#pragma once
// The About box's acknowledgements and the two web pages it opens; the
// donation page is also the main window's donate command.

#include "platform/Shell.h"
#include "resource.h"

#include <string>

// The project's web server; the About box's home-page button shows it too.
inline constexpr char16_t kWebHost[] = u"" LANVOY_WEB_HOST;

// The acknowledged names, one per line.
std::u16string AboutThanks();

// The pages, opened in the user's browser.
ShellRequest DonateRequest();
ShellRequest HomePageRequest();
