#pragma once
// Who may open the service's pipe: the descriptor it is created with.

#include <string>

class IRegistry;

// Network logons denied; SYSTEM and Administrators everything; interactive
// users only read and write data and attributes (never GENERIC_WRITE, which
// would let them create another server end of the pipe).
inline const std::u16string kPipeSddlInteractive = u"D:P(D;;GA;;;NU)(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x100183;;;IU)";
// The same with Network Configuration Operators in place of interactive users.
inline const std::u16string kPipeSddlAdmins = u"D:P(D;;GA;;;NU)(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x100183;;;NO)";

// The restricted descriptor when the installers recorded "admins" (in any
// case) as the pipe's access; otherwise the one for interactive users.
std::u16string PipeSecurityDescriptor(IRegistry& registry);
