#include "ui/StatusPrompts.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusPromptsTest, MenusShowThePromptLineOnly)
{
    EXPECT_EQ(u"应用配置", MenuPrompt(u"应用配置\n启用选中的IP设置方案"));
    EXPECT_EQ(u"软件运行参数设置", MenuPrompt(u"软件运行参数设置"));
    EXPECT_EQ(u"", MenuPrompt(u"\n查看配置文件详细信息"));
    EXPECT_EQ(u"", MenuPrompt(std::nullopt));
}

TEST(StatusPromptsTest, ControlsWithoutAStringAndTheStatusBarShowTheIdlePrompt)
{
    EXPECT_EQ(u"双击应用IP配置", ControlPrompt(std::nullopt, false));
    EXPECT_EQ(u"双击应用IP配置", ControlPrompt(u"退出系统\n退出该系统", true));
    EXPECT_EQ(u"退出系统", ControlPrompt(u"退出系统\n退出该系统", false));
}

TEST(StatusPromptsTest, ToolTipsAreTheTextAfterTheFirstBreakCutToTheField)
{
    EXPECT_EQ(u"启用选中的IP设置方案", ToolTipText(u"应用配置\n启用选中的IP设置方案"));
    EXPECT_EQ(u"保存电脑当前的IP设置到文件", ToolTipText(u"保存电脑当前的IP设置到文件"));
    EXPECT_EQ(u"b\nc", ToolTipText(u"a\nb\nc"));
    std::u16string longTip = u"x\n" + std::u16string(100, u'y');
    EXPECT_EQ(std::u16string(79, u'y'), ToolTipText(longTip));
    EXPECT_EQ(u"", ToolTipText(u"a\nb", 1));
}

}  // namespace
