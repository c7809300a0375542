#include "platform/StartupTask.h"

namespace {

// Paths and user names are element text: only these three can break it.
std::u16string Text(const std::u16string& value)
{
    std::u16string text;
    for (char16_t c : value) {
        switch (c) {
        case u'&': text += u"&amp;"; break;
        case u'<': text += u"&lt;"; break;
        case u'>': text += u"&gt;"; break;
        default: text += c;
        }
    }
    return text;
}

// Rights that replace the program, plant a file beside it, or hand the
// object to someone: write or append data (add a file or folder), delete
// a child, delete, change the access list or the owner, and the generic
// write and all.
constexpr std::uint32_t kChangingRights = 0x2 | 0x4 | 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;

bool Administrative(const std::u16string& sid)
{
    return sid == u"S-1-5-18" ||      // SYSTEM
           sid == u"S-1-5-32-544" ||  // Administrators
           // TrustedInstaller, which owns what Windows installs
           sid == u"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
}

}  // namespace

std::u16string StartupTaskName(const std::u16string& prefix, const std::u16string& sid)
{
    return prefix + u" " + sid;
}

bool WritableByNonAdministrators(const AccessList& list, const std::u16string& user)
{
    for (const AccessEntry& entry : list) {
        // CREATOR OWNER only ever matters for what is made inside.
        if (!entry.allows || entry.inheritOnly || entry.sid == u"S-1-3-0")
            continue;
        if ((entry.rights & kChangingRights) != 0 && !Administrative(entry.sid) && entry.sid != user)
            return true;
    }
    return false;
}

std::u16string StartupTaskXml(const StartupTaskDefinition& definition, const std::u16string& user)
{
    const std::u16string who = Text(user);
    // Priority 5 is a normal process; the scheduler's default (7) would run
    // the window program below normal.
    return u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
           u"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
           u"  <RegistrationInfo>\r\n"
           u"    <Author>" + who + u"</Author>\r\n"
           u"  </RegistrationInfo>\r\n"
           u"  <Triggers>\r\n"
           u"    <LogonTrigger>\r\n"
           u"      <Enabled>true</Enabled>\r\n"
           u"      <UserId>" + who + u"</UserId>\r\n"
           u"    </LogonTrigger>\r\n"
           u"  </Triggers>\r\n"
           u"  <Principals>\r\n"
           u"    <Principal id=\"Author\">\r\n"
           u"      <UserId>" + who + u"</UserId>\r\n"
           u"      <LogonType>InteractiveToken</LogonType>\r\n"
           u"      <RunLevel>HighestAvailable</RunLevel>\r\n"
           u"    </Principal>\r\n"
           u"  </Principals>\r\n"
           u"  <Settings>\r\n"
           u"    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\r\n"
           u"    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\r\n"
           u"    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\r\n"
           u"    <Enabled>true</Enabled>\r\n"
           u"    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\r\n"
           u"    <Priority>5</Priority>\r\n"
           u"  </Settings>\r\n"
           u"  <Actions Context=\"Author\">\r\n"
           u"    <Exec>\r\n"
           u"      <Command>" + Text(definition.program) + u"</Command>\r\n"
           u"      <Arguments>" + Text(definition.arguments) + u"</Arguments>\r\n"
           u"      <WorkingDirectory>" + Text(definition.workingFolder) + u"</WorkingDirectory>\r\n"
           u"    </Exec>\r\n"
           u"  </Actions>\r\n"
           u"</Task>\r\n";
}
