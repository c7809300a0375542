#include "ui/About.h"

namespace {

ShellRequest WebPage(std::u16string_view path)
{
    return ShellRequest{u"open", u"http://" + std::u16string(kWebHost) + std::u16string(path), {}};
}

}  // namespace

std::u16string AboutThanks()
{
    return u"晚风（多网卡测试）\r\n"
           u"石头（界面建议）\r\n"
           u"小鹿（使用手册）\r\n"
           u"蓝色海湾（问题反馈）";
}

ShellRequest DonateRequest()
{
    return WebPage(u"/lanvoy/register.html");
}

ShellRequest HomePageRequest()
{
    return WebPage(u"/lanvoy/index.html");
}
