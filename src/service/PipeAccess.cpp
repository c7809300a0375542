#include "service/PipeAccess.h"

#include "platform/ProductNames.h"
#include "platform/Registry.h"

namespace {

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameIgnoringCase(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::u16string PipeSecurityDescriptor(IRegistry& registry)
{
    CRegKey key(registry);
    std::u16string access;
    if (key.Open(kInstallKey, IRegistry::Access::Read) == 0 && key.QueryText(kPipeAccessValue, &access) &&
        SameIgnoringCase(access, kPipeAccessAdmins))
        return kPipeSddlAdmins;
    return kPipeSddlInteractive;
}
