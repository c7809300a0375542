#include "ui/Switches.h"
#include "ui/Texts.h"

SystemSwitches ReadSwitches(const CProfileStore& store)
{
    return {store.autoExec != 0, store.autoUpdate != 0, store.logFlag != 0};
}

int SaveSwitches(CProfileStore& store, const SystemSwitches& switches, IMessageBox& messages, WindowHandle owner)
{
    store.autoExec = switches.autoExec ? 1 : 0;
    store.autoUpdate = switches.autoUpdate ? 1 : 0;
    store.logFlag = switches.logFlag ? 1 : 0;
    int saved = store.WriteSystemSettings();
    const int autorun = store.SetAutorun(store.autoExec);
    if (!saved)
        messages.Show(owner, kSaveFailed, kMessageCaption, kMbIconStop);
    // Ticked but never started, or unticked but still started: either way the
    // box would say what is not so.
    if (autorun == kAutorunUnsafe)
        messages.Show(owner, kUnsafeAutorunMessage, kMessageCaption, kMbIconExclamation);
    else if (autorun != kAutorunDone)
        messages.Show(owner, u"设置开机自动运行失败!", kMessageCaption, kMbIconStop);
    return saved;
}
