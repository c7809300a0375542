#include "platform/RunningSign.h"

#include "lanvoy_names.h"

#include <sddl.h>

HANDLE HoldRunningSign()
{
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kRunningSignAccess, SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr))
        return nullptr;
    // Only SYNCHRONIZE: that is all the access list gives another user, whose
    // copy may have made the mutex first.
    HANDLE sign = CreateMutexExW(&attributes, L"" LANVOY_RUNNING_MUTEX, 0, SYNCHRONIZE);
    LocalFree(attributes.lpSecurityDescriptor);
    return sign;
}
