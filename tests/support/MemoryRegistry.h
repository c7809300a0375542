#pragma once
// An in-memory registry for tests: a tree of keys with case-insensitive key and
// value names, values held as type plus bytes. Each open key keeps the rights
// it was opened with, as a real handle does. It counts open keys so tests can
// check that every operation closes what it opened, and it keeps a journal of
// the writes that took effect so tests can check their order.

#include "platform/Registry.h"

#include <algorithm>
#include <map>
#include <memory>

struct CaseInsensitiveLess {
    bool operator()(const std::u16string& a, const std::u16string& b) const;
};

class CMemoryRegistry : public IRegistry {
public:
    struct Write {
        enum class Kind { Set, Delete } kind;
        std::u16string path;  // the key's path as created, levels joined by "\"
        std::u16string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };

    CMemoryRegistry();
    ~CMemoryRegistry() override;

    std::uint32_t OpenKey(const std::u16string& path, Access access, RegHandle* key) override;
    std::uint32_t CreateKey(const std::u16string& path, RegHandle* key) override;
    bool EnumSubKey(RegHandle key, std::uint32_t index, std::u16string* name) override;
    bool QueryValue(RegHandle key, const std::u16string& name, RegValue* value) override;
    void SetValue(RegHandle key, const std::u16string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override;
    void DeleteValue(RegHandle key, const std::u16string& name) override;
    void CloseKey(RegHandle key) override;

    // Seeding and inspection, outside the interface.
    void Put(const std::u16string& path, const std::u16string& name, std::uint32_t type,
             const std::vector<std::uint8_t>& data);
    void PutText(const std::u16string& path, const std::u16string& name, const std::u16string& text);
    void PutMulti(const std::u16string& path, const std::u16string& name,
                  const std::vector<std::u16string>& entries);
    void PutDword(const std::u16string& path, const std::u16string& name, std::uint32_t value);
    void AddKey(const std::u16string& path);
    bool Get(const std::u16string& path, const std::u16string& name, RegValue* value) const;
    bool HasKey(const std::u16string& path) const;
    // Without administrator rights: opening for writing fails, creating a
    // missing key fails, and keys opened with default access or by creation
    // open but take no writes. Keys already open keep their rights.
    void SetReadOnly(bool readOnly) { this->readOnly = readOnly; }

    int OpenKeyCount() const { return static_cast<int>(handles.size()); }
    const std::vector<Write>& Journal() const { return journal; }
    void ClearJournal() { journal.clear(); }

private:
    struct Node {
        std::u16string path;
        std::map<std::u16string, std::unique_ptr<Node>, CaseInsensitiveLess> subkeys;
        std::map<std::u16string, RegValue, CaseInsensitiveLess> values;
    };

    struct Handle {
        Node* node;
        bool writable;
    };

    Node* Find(const std::u16string& path) const;
    Node* Make(const std::u16string& path);
    RegHandle Add(Node* node, bool writable);
    Node* Lookup(RegHandle key) const;
    Node* LookupWritable(RegHandle key) const;

    std::unique_ptr<Node> root;
    std::map<RegHandle, Handle> handles;
    RegHandle nextHandle = 1;
    bool readOnly = false;
    std::vector<Write> journal;
};
