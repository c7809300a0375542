#pragma once
// The configuration document's names and value forms: the one place that says
// how a profile, an adapter entry and a switch are spelled in "lanvoy.cfg".

#include "net/AdapterRecord.h"
#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CXmlDoc;

namespace config {

inline constexpr char16_t kFileName[] = u"lanvoy.cfg";

inline constexpr char16_t kRoot[] = u"LANVOY";
inline constexpr char16_t kConfig[] = u"CONFIG";
inline constexpr char16_t kDns[] = u"DNS";
inline constexpr char16_t kSysConfig[] = u"SYSCONFIG";
inline constexpr char16_t kProfile[] = u"NETSETING";
inline constexpr char16_t kConnection[] = u"CONNECTION";
inline constexpr char16_t kIpGroup[] = u"IPADD";
inline constexpr char16_t kMaskGroup[] = u"MASKADD";
inline constexpr char16_t kGatewayGroup[] = u"GATEWAY";
inline constexpr char16_t kDnsGroup[] = u"DNSADD";
inline constexpr char16_t kAddress[] = u"IP";
inline constexpr char16_t kAutoExec[] = u"AUTOEXEC";
inline constexpr char16_t kAutoUpdate[] = u"AUTOUPDATE";
inline constexpr char16_t kLogFlag[] = u"LOGFLAG";

inline constexpr char16_t kLastId[] = u"LASTID";
inline constexpr char16_t kVersion[] = u"VERSION";
inline constexpr char16_t kName[] = u"NAME";
inline constexpr char16_t kDateTime[] = u"DATATIME";
inline constexpr char16_t kId[] = u"ID";
inline constexpr char16_t kGuid[] = u"GUID";
inline constexpr char16_t kNetCard[] = u"NETCARD";
inline constexpr char16_t kMacCode[] = u"MACCODE";
inline constexpr char16_t kMacCodeN[] = u"MACCODEN";
inline constexpr char16_t kEnableCheck[] = u"EnableCheck";
inline constexpr char16_t kType[] = u"TYPE";

inline constexpr char16_t kVersionText[] = u"2.0";

// A profile entry's TYPE when its text is none of "0", "1", "2".
constexpr std::int32_t kModeUnrecognised = -1;

// Text as the file can carry it: each character that XML cannot hold (a zero,
// another control character, U+FFFE, U+FFFF, half a surrogate pair) becomes
// "?". A zero written to the file would end its text on the next load.
std::u16string Storable(std::u16string_view text);

// The document a missing or damaged file is replaced by.
std::u16string DefaultDocument();

// The integer of the leading decimal digits; 0 without digits, INT32_MAX
// when they do not fit.
std::int32_t LeadingNumber(std::u16string_view text);

// Only "0" disables; a missing attribute reads as empty text.
std::int32_t ReadEnableCheck(std::u16string_view text);
std::int32_t ReadType(std::u16string_view text);
std::u16string TypeText(std::int32_t mode);
// Only "FALSE" switches off.
std::int32_t ReadSwitch(std::u16string_view text);
std::u16string SwitchText(std::int32_t on);

// "%y-%m-%d %H:%M:%S".
std::u16string TimeStamp(const LocalTime& time);

// The lines the profile list shows for one adapter entry.
void AppendSummary(std::u16string& summary, const ConnectionSetting& entry);

// Reads the CONNECTION at the main position; the cursor ends where it began.
void ReadConnection(CXmlDoc& doc, ConnectionSetting& entry);

// The markup the store writes, one tag per line (the line breaks around the
// whole piece are the editor's): a CONNECTION with its four address groups,
// several joined by line breaks, and a NETSETING holding them.
std::u16string ConnectionMarkup(const ConnectionSetting& entry);
std::u16string ConnectionsMarkup(const std::vector<const AdapterRecord*>& records);
std::u16string ProfileMarkup(std::u16string_view name, std::u16string_view dateTime, std::u16string_view id,
                             const std::vector<const AdapterRecord*>& records);

// Writes the records as CONNECTION elements after the child position of the
// main element (at the end of its content when there is none); the first of
// them becomes the child position. False when they could not go in.
bool InsertConnections(CXmlDoc& doc, const std::vector<const AdapterRecord*>& records);

}  // namespace config
