#include "store/ProfileStore.h"
#include "store/ConfigSchema.h"
#include "xml/DecimalText.h"

#include <climits>

using namespace config;

CProfileStore::CProfileStore(const StoreEnvironment& environment)
    : environment(environment),
      file(environment.files, JoinPath(FolderOf(environment.executablePath), kFileName))
{
}

CProfileStore::~CProfileStore() = default;

int CProfileStore::Load()
{
    std::u16string text;
    bool read = file.Read(text);
    if (read && doc.SetText(text)) {
        ReadSystemSettings();
        return LoadProfiles();
    }
    // A file that is there but does not parse may hold hand-made profiles:
    // keep it before the default takes its place, and leave it alone when
    // even that copy cannot be made.
    if (read || file.Exists()) {
        if (!file.KeepDamagedCopy()) {
            doc.SetText(DefaultDocument());
            return 0;
        }
    }
    CreateDefault();
    return 0;
}

int CProfileStore::Save()
{
    return file.Write(doc.DocText()) ? 1 : 0;
}

int CProfileStore::CreateDefault()
{
    doc.SetText(DefaultDocument());
    WriteSystemSettings();
    return Save();
}

bool CProfileStore::FindConfig()
{
    doc.ResetPosition();
    return doc.FindNext(kRoot) && doc.Enter() && doc.FindNext(kConfig);
}

bool CProfileStore::FindProfile(const std::u16string& id)
{
    // A profile without a number is reachable only once repair gives it one.
    if (id.empty() || !FindConfig() || !doc.Enter())
        return false;
    while (doc.FindNext()) {
        if (doc.Attribute(kId) == id)
            return true;
    }
    return false;
}

int CProfileStore::LoadProfiles()
{
    profiles.clear();
    if (!FindConfig())
        return 0;
    lastId = LeadingNumber(doc.Attribute(kLastId));
    doc.Enter();
    while (doc.FindNext(kProfile)) {
        auto profile = std::make_unique<IpProfile>();
        profile->id = doc.Attribute(kId);
        profile->dateTime = doc.Attribute(kDateTime);
        profile->name = doc.Attribute(kName);
        doc.Enter();
        while (doc.FindNext(kConnection)) {
            auto entry = std::make_unique<ConnectionSetting>();
            ReadConnection(doc, *entry);
            AppendSummary(profile->summary, *entry);
            profile->connections.push_back(std::move(entry));
        }
        doc.Leave();
        profiles.push_back(std::move(profile));
    }
    return 1;
}

std::u16string CProfileStore::NextId()
{
    doc.SavePosition(u"GetID");
    std::u16string id = u"0";
    if (FindConfig()) {
        // A hand-edited LASTID may lag behind the numbers in use; a number
        // that some profile already has would make the two indistinguishable.
        // At the top of the range no number is left that is free.
        while (lastId < INT32_MAX) {
            std::u16string candidate = DecimalText(++lastId);
            if (!FindProfile(candidate)) {
                id = candidate;
                break;
            }
        }
        if (FindConfig() && id != u"0")
            doc.SetAttribute(kLastId, id);
    }
    doc.RestorePosition(u"GetID");
    return id;
}

std::u16string CProfileStore::LastIdText() const
{
    return DecimalText(lastId);
}

int CProfileStore::NameExists(const std::u16string& name)
{
    if (!FindConfig() || !doc.Enter())
        return 0;
    while (doc.FindNext()) {
        if (doc.Attribute(kName) == name)
            return 1;
    }
    return 0;
}

void CProfileStore::WriteProfileBody(const std::vector<const AdapterRecord*>& records)
{
    for (const AdapterRecord* record : records)
        WriteConnection(doc, *record);
}

int CProfileStore::AddProfile(const std::u16string& name, const std::vector<const AdapterRecord*>& records)
{
    if (!FindConfig())
        return 0;
    std::u16string id = NextId();
    if (id == u"0")
        return 0;
    doc.AppendChildElement(kProfile);
    doc.SetChildAttribute(kName, name);
    doc.SetChildAttribute(kDateTime, TimeStamp(environment.clock.Now()));
    doc.SetChildAttribute(kId, id);
    doc.Enter();
    WriteProfileBody(records);
    doc.Leave();
    return 1;
}

int CProfileStore::UpdateProfile(const std::u16string& id, const std::u16string& name,
                                 const std::vector<const AdapterRecord*>& records)
{
    if (!FindConfig())
        return 0;
    if (!FindProfile(id))
        return 1;
    doc.SetAttribute(kDateTime, TimeStamp(environment.clock.Now()));
    doc.SetAttribute(kName, name);
    // Everything inside the profile goes, not only its adapter entries.
    for (;;) {
        doc.ResetChildPosition();
        if (!doc.FindNextChild() || !doc.RemoveChildElement())
            break;
    }
    WriteProfileBody(records);
    return 1;
}

void CProfileStore::CopyProfile(const std::u16string& id, const std::u16string& newName)
{
    std::u16string content = GetProfileContent(id);
    if (!FindConfig())
        return;
    std::u16string newId = NextId();
    if (newId == u"0")
        return;
    doc.Enter();
    doc.AppendElement(kProfile);
    doc.SetAttribute(kName, newName);
    doc.SetAttribute(kDateTime, TimeStamp(environment.clock.Now()));
    doc.SetAttribute(kId, newId);
    // The source's entries go in verbatim, with whatever the records would not carry.
    if (!content.empty() && doc.Enter())
        doc.InsertMarkup(content);
}

int CProfileStore::DeleteProfile(const std::u16string& id)
{
    if (!FindProfile(id))
        return 0;
    return doc.RemoveElement() ? 1 : 0;
}

std::u16string CProfileStore::GetProfileContent(const std::u16string& id)
{
    if (!FindProfile(id))
        return {};
    return doc.InnerMarkup();
}
