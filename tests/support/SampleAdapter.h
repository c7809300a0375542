#pragma once
// An adapter as a capture records it, for benchmarks and fuzz targets that
// need realistic entries: card n with manual addresses (the mode decides
// whether they count).

#include "net/AdapterRecord.h"
#include "text/DecimalText.h"

inline AdapterRecord SampleAdapter(int n, int mode)
{
    AdapterRecord record;
    record.connectionName = u"本地连接 " + DecimalText(n);
    record.adapterId = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E0" + DecimalText(n) + u"}";
    record.description = u"Intel(R) PRO/1000 MT Network Connection";
    record.macAddress = u"00:1c:42:a1:b2:c3";
    record.enabled = 1;
    record.mode = mode;
    record.ipAddress = u"192.168.1.20";
    record.subnetMask = u"255.255.255.0";
    record.gateway = u"192.168.1.1";
    record.dns1 = u"202.96.128.86";
    record.dns2 = u"202.96.134.133";
    return record;
}
