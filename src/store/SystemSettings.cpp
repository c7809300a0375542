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

std::u16string CProfileStore::AutorunCommand() const
{
    // The program's own folder: the current directory need not hold the
    // executable, and a Run value naming it would start nothing.
    std::u16string program = JoinPath(FolderOf(environment.executablePath), StemOf(environment.executablePath)) +
                             u".exe";
    if (program.find(u' ') != std::u16string::npos)
        program = u"\"" + program + u"\"";
    return program + u" -hide";
}

int CProfileStore::SetAutorun(std::int32_t on)
{
    CRegKey key(environment.registry);
    if (on != 0) {
        key.Create(kRunKey);
        if (key.IsOpen()) {
            // The value's bytes are its characters, without a terminator.
            key.Set(kRunValue, kRegSz, RegUnterminatedBytes(AutorunCommand()));
        }
    } else {
        key.Open(kRunKey, IRegistry::Access::Default);
        if (key.IsOpen())
            key.Delete(kRunValue);
    }
    return 1;
}
