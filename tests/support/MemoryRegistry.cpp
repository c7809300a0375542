#include "support/MemoryRegistry.h"

namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorAccessDenied = 5;

char16_t FoldCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::vector<std::u16string> SplitPath(const std::u16string& path)
{
    std::vector<std::u16string> levels;
    std::u16string level;
    for (char16_t c : path) {
        if (c == u'\\') {
            if (!level.empty())
                levels.push_back(level);
            level.clear();
        } else {
            level.push_back(c);
        }
    }
    if (!level.empty())
        levels.push_back(level);
    return levels;
}

}  // namespace

bool CaseInsensitiveLess::operator()(const std::u16string& a, const std::u16string& b) const
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

CMemoryRegistry::CMemoryRegistry() : root(std::make_unique<Node>()) {}
CMemoryRegistry::~CMemoryRegistry() = default;

CMemoryRegistry::Node* CMemoryRegistry::Find(const std::u16string& path) const
{
    Node* node = root.get();
    for (const auto& level : SplitPath(path)) {
        auto it = node->subkeys.find(level);
        if (it == node->subkeys.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

CMemoryRegistry::Node* CMemoryRegistry::Make(const std::u16string& path)
{
    Node* node = root.get();
    for (const auto& level : SplitPath(path)) {
        auto& child = node->subkeys[level];
        if (!child) {
            child = std::make_unique<Node>();
            child->path = node->path.empty() ? level : node->path + u"\\" + level;
        }
        node = child.get();
    }
    return node;
}

RegHandle CMemoryRegistry::Add(Node* node, bool writable)
{
    RegHandle key = nextHandle++;
    handles[key] = Handle{node, writable};
    return key;
}

CMemoryRegistry::Node* CMemoryRegistry::Lookup(RegHandle key) const
{
    auto it = handles.find(key);
    return it == handles.end() ? nullptr : it->second.node;
}

CMemoryRegistry::Node* CMemoryRegistry::LookupWritable(RegHandle key) const
{
    auto it = handles.find(key);
    return it == handles.end() || !it->second.writable ? nullptr : it->second.node;
}

std::uint32_t CMemoryRegistry::OpenKey(const std::u16string& path, Access access, RegHandle* key)
{
    Node* node = Find(path);
    if (!node)
        return kErrorFileNotFound;
    if (access == Access::Write && readOnly)
        return kErrorAccessDenied;
    // Default access is whatever the caller's rights allow.
    *key = Add(node, access == Access::Write || (access == Access::Default && !readOnly));
    return 0;
}

std::uint32_t CMemoryRegistry::CreateKey(const std::u16string& path, RegHandle* key)
{
    Node* node = Find(path);
    if (readOnly && !node)
        return kErrorAccessDenied;
    *key = Add(node ? node : Make(path), !readOnly);
    return 0;
}

bool CMemoryRegistry::EnumSubKey(RegHandle key, std::uint32_t index, std::u16string* name)
{
    Node* node = Lookup(key);
    if (!node || index >= node->subkeys.size())
        return false;
    auto it = node->subkeys.begin();
    std::advance(it, index);
    if (it->first.size() > kRegMaxKeyNameChars)
        return false;
    *name = it->first;
    return true;
}

bool CMemoryRegistry::QueryValue(RegHandle key, const std::u16string& name, RegValue* value)
{
    Node* node = Lookup(key);
    if (!node)
        return false;
    auto it = node->values.find(name);
    if (it == node->values.end() || it->second.data.size() > kRegValueBufferBytes)
        return false;
    *value = it->second;
    return true;
}

void CMemoryRegistry::SetValue(RegHandle key, const std::u16string& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data)
{
    // Without the rights the write fails, and nobody checks.
    Node* node = LookupWritable(key);
    if (!node)
        return;
    journal.push_back({Write::Kind::Set, node->path, name, type, data});
    node->values[name] = RegValue{type, data};
}

void CMemoryRegistry::DeleteValue(RegHandle key, const std::u16string& name)
{
    Node* node = LookupWritable(key);
    if (!node)
        return;
    journal.push_back({Write::Kind::Delete, node->path, name, 0, {}});
    node->values.erase(name);
}

void CMemoryRegistry::CloseKey(RegHandle key)
{
    handles.erase(key);
}

void CMemoryRegistry::Put(const std::u16string& path, const std::u16string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data)
{
    Make(path)->values[name] = RegValue{type, data};
}

void CMemoryRegistry::PutText(const std::u16string& path, const std::u16string& name, const std::u16string& text)
{
    Put(path, name, kRegSz, RegSzBytes(text));
}

void CMemoryRegistry::PutMulti(const std::u16string& path, const std::u16string& name,
                               const std::vector<std::u16string>& entries)
{
    Put(path, name, kRegMultiSz, RegMultiSzBytes(entries));
}

void CMemoryRegistry::PutDword(const std::u16string& path, const std::u16string& name, std::uint32_t value)
{
    Put(path, name, kRegDword, RegDwordBytes(value));
}

void CMemoryRegistry::AddKey(const std::u16string& path)
{
    Make(path);
}

bool CMemoryRegistry::Get(const std::u16string& path, const std::u16string& name, RegValue* value) const
{
    Node* node = Find(path);
    if (!node)
        return false;
    auto it = node->values.find(name);
    if (it == node->values.end())
        return false;
    *value = it->second;
    return true;
}

bool CMemoryRegistry::HasKey(const std::u16string& path) const
{
    return Find(path) != nullptr;
}
