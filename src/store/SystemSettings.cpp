#include "store/ConfigSchema.h"
#include "store/ProfileStore.h"

using namespace config;

namespace {

const std::u16string kRunKey = u"software\\microsoft\\windows\\currentversion\\run";
const std::u16string kRunValue = u"Lanvoy(CORVELL STUDIO)";

}  // namespace

void CProfileStore::ReadSystemSettings()
{
    doc.ResetPosition();
    if (!doc.FindNext(kRoot) || !doc.Enter() || !doc.FindNext(kSysConfig))
        return;
    if (doc.FindNextChild(kAutoExec)) {
        autoExec = ReadSwitch(doc.ChildText());
        // A task that already starts this program stays as it is: another
        // user's start must not take it over from the user who switched
        // autorun on. Off, the scheduler is not asked at all: switching off
        // in the settings removed the task, and asking would start the
        // scheduler's service on every start of the program. A failure here
        // stays silent: the settings dialog tells it.
        if (autoExec == 0 || environment.startupTask.Starts(AutorunTask()))
            DeleteOldRunValue();
        else
            SetAutorun(autoExec);
    }
    doc.ResetChildPosition();
    if (doc.FindNextChild(kLogFlag))
        logFlag = ReadSwitch(doc.ChildText());
    doc.ResetChildPosition();
    if (doc.FindNextChild(kAutoUpdate))
        autoUpdate = ReadSwitch(doc.ChildText());
}

int CProfileStore::WriteSystemSettings()
{
    doc.ResetPosition();
    if (!doc.FindNext(kRoot) || !doc.Enter())
        return 0;
    // The new element takes the old one's place: removal leaves the cursor on
    // its previous sibling, and the append goes after the cursor.
    if (doc.FindNext(kSysConfig))
        doc.RemoveElement();
    if (!doc.AppendElement(kSysConfig))
        return 0;
    doc.SetAttribute(kVersion, kVersionText);
    doc.AppendChildElement(kAutoExec, SwitchText(autoExec));
    doc.AppendChildElement(kAutoUpdate, SwitchText(autoUpdate));
    doc.AppendChildElement(kLogFlag, SwitchText(logFlag));
    return Save();
}

StartupTaskDefinition CProfileStore::AutorunTask() const
{
    // The program's own folder: the current directory need not hold the
    // executable.
    std::u16string folder = FolderOf(environment.executablePath);
    std::u16string program = JoinPath(folder, StemOf(environment.executablePath)) + u".exe";
    // "C:" alone would be the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == u':')
        folder += u'\\';
    return {program, u"-hide", folder};
}

void CProfileStore::DeleteOldRunValue()
{
    // Earlier versions started the program from this Run value, which UAC
    // blocks at sign-in for a program that asks for administrator rights;
    // the task replaces it either way. Without the rights it stays, harmless.
    CRegKey key(environment.registry);
    key.Open(kRunKey, IRegistry::Access::Default);
    if (key.IsOpen())
        key.Delete(kRunValue);
}

int CProfileStore::SetAutorun(std::int32_t on)
{
    DeleteOldRunValue();
    const bool done = on != 0 ? environment.startupTask.Register(AutorunTask()) : environment.startupTask.Remove();
    return done ? 1 : 0;
}
