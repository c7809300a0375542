#include "store/ConfigSchema.h"
#include "store/ProfileStore.h"
#include "text/TextCase.h"

#include "lanvoy_names.h"

using namespace config;

namespace {

const std::u16string kRunKey = u"software\\microsoft\\windows\\currentversion\\run";
// The same name as earlier versions' task, which the installers remove.
const std::u16string kRunValue = u"" LANVOY_TASK_NAME;

}  // namespace

void CProfileStore::ReadSystemSettings()
{
    // Each user of an installed copy starts it from a Run value of their own:
    // the file's switch, which every user shares, says nothing about this one.
    if (environment.installed)
        autoExec = UserRunValueStartsThis() ? 1 : 0;
    doc.ResetPosition();
    if (!doc.FindNext(kRoot) || !doc.Enter() || !doc.FindNext(kSysConfig))
        return;
    if (!environment.installed && doc.FindNextChild(kAutoExec)) {
        autoExec = ReadSwitch(doc.ChildText());
        // A task that already starts this program stays as it is. Off, the
        // scheduler is not asked at all: switching off in the settings removed
        // the task, and asking would start the scheduler's service on every
        // start of the program. A program others can change loses its task.
        // A failure here stays silent: the settings dialog tells it.
        if (autoExec != 0 && (ProgramWritableByOthers() || !environment.startupTask.Starts(AutorunTask())))
            SetAutorun(autoExec);
        else
            DeleteOldRunValue();
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

std::u16string CProfileStore::AutorunCommand() const
{
    return u"\"" + AutorunTask().program + u"\" -hide";
}

void CProfileStore::DeleteOldRunValue()
{
    // Earlier versions started the program from this machine-wide value, which
    // UAC blocks at sign-in for a program that asks for administrator rights;
    // the task replaces it either way. Without the rights it stays, harmless.
    CRegKey key(environment.registry);
    key.Open(kRunKey, IRegistry::Access::Default);
    if (key.IsOpen())
        key.Delete(kRunValue);
}

bool CProfileStore::UserRunValueStartsThis() const
{
    if (environment.userRegistry == nullptr)
        return false;
    CRegKey key(*environment.userRegistry);
    std::u16string command;
    return key.Open(kRunKey, IRegistry::Access::Read) == 0 && key.QueryText(kRunValue, &command) &&
           SameIgnoringAsciiCase(command, AutorunCommand());
}

bool CProfileStore::SetUserRunValue(bool on)
{
    if (environment.userRegistry == nullptr)
        return false;
    {
        CRegKey key(*environment.userRegistry);
        if (on) {
            if (key.Create(kRunKey) == 0)
                key.Set(kRunValue, kRegSz, RegSzBytes(AutorunCommand()));
        } else if (key.Open(kRunKey, IRegistry::Access::Write) == 0) {
            key.Delete(kRunValue);
        }
    }
    // Writes fail silently: what the key holds now is the answer. Off also
    // removes a value that starts another copy from this user's sign-in.
    if (on)
        return UserRunValueStartsThis();
    CRegKey key(*environment.userRegistry);
    RegValue value;
    return key.Open(kRunKey, IRegistry::Access::Read) != 0 || !key.Query(kRunValue, &value);
}

bool CProfileStore::ProgramWritableByOthers() const
{
    const StartupTaskDefinition task = AutorunTask();
    const std::u16string user = environment.startupTask.User();
    for (const std::u16string& path : {task.program, task.workingFolder}) {
        // What cannot be read cannot be shown to be safe.
        std::optional<AccessList> list = environment.startupTask.Access(path);
        if (user.empty() || !list || WritableByNonAdministrators(*list, user))
            return true;
    }
    return false;
}

int CProfileStore::SetAutorun(std::int32_t on)
{
    if (environment.installed)
        return SetUserRunValue(on != 0) ? kAutorunDone : kAutorunFailed;
    DeleteOldRunValue();
    if (on == 0)
        return environment.startupTask.Remove() ? kAutorunDone : kAutorunFailed;
    if (ProgramWritableByOthers()) {
        // A task made while the folder was safe would now hand full rights to
        // whatever program someone puts there.
        environment.startupTask.Remove();
        return kAutorunUnsafe;
    }
    return environment.startupTask.Register(AutorunTask()) ? kAutorunDone : kAutorunFailed;
}
