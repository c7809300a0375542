#include "store/ProfileStore.h"
#include "store/ConfigSchema.h"
#include "text/DecimalText.h"

#include <algorithm>
#include <climits>
#include <iterator>

using namespace config;

CProfileStore::CProfileStore(const StoreEnvironment& environment)
    : environment(environment),
      file(environment.files,
           JoinPath(environment.dataFolder.empty() ? FolderOf(environment.executablePath) : environment.dataFolder,
                    kFileName))
{
}

CProfileStore::~CProfileStore() = default;

int CProfileStore::Load()
{
    std::u16string text;
    bool read = file.Read(text);
    if (read && doc.SetText(std::move(text))) {
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
    // A zero would end the text at the next load and cost every profile
    // after it; nothing the store writes holds one, and no file shall.
    if (doc.DocText().find(u'\0') != std::u16string::npos)
        return 0;
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

namespace {

// The number a profile's ID stands for when a new number could equal it: the
// decimal text of a number above 0 without leading zeros, else 0.
std::int32_t NumberOfId(std::u16string_view id)
{
    if (id.empty() || id.size() > 10 || id[0] == u'0')
        return 0;
    for (char16_t c : id) {
        if (c < u'0' || c > u'9')
            return 0;
    }
    std::int32_t number = LeadingNumber(id);
    return number == INT32_MAX && id != u"2147483647" ? 0 : number;
}

}  // namespace

int CProfileStore::LoadProfiles()
{
    profiles.clear();
    if (!FindConfig())
        return 0;
    lastId = LeadingNumber(doc.Attribute(kLastId));
    // Every child of CONFIG may carry a number: the walk notes those above
    // the counter, so the first new number after a load needs no walk.
    numbersInUse.above.clear();
    doc.Enter();
    static constexpr std::u16string_view names[] = {kId, kDateTime, kName};
    std::u16string values[std::size(names)];
    while (doc.FindNext()) {
        doc.Attributes(names, values);
        NoteNumberInUse(values[0]);
        if (doc.TagName() != kProfile)
            continue;
        auto profile = std::make_unique<IpProfile>();
        profile->id = std::move(values[0]);
        profile->dateTime = std::move(values[1]);
        profile->name = std::move(values[2]);
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
    std::sort(numbersInUse.above.begin(), numbersInUse.above.end());
    KeepNumbersInUse();
    return 1;
}

void CProfileStore::NoteNumberInUse(std::u16string_view id)
{
    std::int32_t number = NumberOfId(id);
    if (number > lastId)
        numbersInUse.above.push_back(number);
}

std::u16string CProfileStore::NextId()
{
    doc.SavePosition(u"GetID");
    std::u16string id = u"0";
    if (FindConfig()) {
        // A hand-edited LASTID may lag behind the numbers in use; a number
        // that some profile already has would make the two indistinguishable.
        // The numbers above the counter are collected in one walk, which
        // serves every call until the document changes otherwise.
        std::vector<std::int32_t>& above = numbersInUse.above;
        if (numbersInUse.revision != doc.Revision()) {
            above.clear();
            doc.Enter();
            while (doc.FindNext())
                NoteNumberInUse(doc.Attribute(kId));
            std::sort(above.begin(), above.end());
            doc.Leave();
        }
        std::int64_t candidate = static_cast<std::int64_t>(lastId) + 1;
        std::size_t passed = 0;
        for (; passed < above.size() && above[passed] <= candidate; ++passed) {
            if (above[passed] == candidate)
                ++candidate;
        }
        above.erase(above.begin(), above.begin() + static_cast<std::ptrdiff_t>(passed));
        // At the top of the range no number is left that is free.
        if (candidate <= INT32_MAX) {
            lastId = static_cast<std::int32_t>(candidate);
            id = DecimalText(lastId);
            doc.SetAttribute(kLastId, id);
        } else {
            lastId = INT32_MAX;
        }
        KeepNumbersInUse();
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
    // Names are stored as the file can carry them.
    const std::u16string stored = Storable(name);
    while (doc.FindNext()) {
        if (doc.Attribute(kName) == stored)
            return 1;
    }
    return 0;
}

int CProfileStore::AddProfile(const std::u16string& name, const std::vector<const AdapterRecord*>& records)
{
    if (!FindConfig())
        return 0;
    std::u16string id = NextId();
    if (id == u"0" || !FindConfig() || !doc.Enter())
        return 0;
    // The whole profile goes in as one piece: one splice of the document. A
    // hand-made <CONFIG //> takes none; the number stays spent.
    if (!doc.InsertMarkup(ProfileMarkup(name, TimeStamp(environment.clock.Now()), id, records)))
        return 0;
    KeepNumbersInUse();
    return 1;
}

int CProfileStore::UpdateProfile(const std::u16string& id, const std::u16string& name,
                                 const std::vector<const AdapterRecord*>& records)
{
    if (!FindConfig())
        return 0;
    if (!FindProfile(id))
        return 1;
    // Everything inside the profile goes, not only its adapter entries.
    for (;;) {
        doc.ResetChildPosition();
        if (!doc.FindNextChild() || !doc.RemoveChildElement())
            break;
    }
    // The entries go in first: a hand-made empty tag such as <NETSETING //>
    // cannot take any, and then nothing is changed.
    if (!InsertConnections(doc, records))
        return 0;
    doc.SetAttribute(kDateTime, TimeStamp(environment.clock.Now()));
    doc.SetAttribute(kName, Storable(name));
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
    if (!doc.Enter() || !doc.AppendElement(kProfile))
        return;
    doc.SetAttribute(kName, Storable(newName));
    doc.SetAttribute(kDateTime, TimeStamp(environment.clock.Now()));
    doc.SetAttribute(kId, newId);
    // The source's entries go in verbatim, with whatever the records would not carry.
    if (!content.empty() && doc.Enter())
        doc.InsertMarkup(content);
    KeepNumbersInUse();
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
