#pragma once
// Helpers shared by the XML tests.

#include "xml/XmlDoc.h"

#include <string>

// The element tree below the current parent level as "A(B,C),D", through the
// public cursor only.
inline std::u16string DumpLevel(CXmlDoc& doc)
{
    std::u16string out;
    while (doc.FindNext()) {
        if (!out.empty())
            out += u",";
        out += doc.TagName();
        if (doc.FindNextChild()) {
            doc.ResetChildPosition();
            doc.Enter();
            out += u"(" + DumpLevel(doc) + u")";
            doc.Leave();
        }
    }
    return out;
}

// The whole tree; the cursor is back where it was afterwards.
inline std::u16string Dump(CXmlDoc& doc)
{
    doc.SavePosition(u"dump");
    doc.ResetPosition();
    std::u16string out = DumpLevel(doc);
    doc.RestorePosition(u"dump");
    return out;
}

// An edited document must read back exactly as its own text parses.
inline bool ReparsesSame(CXmlDoc& doc)
{
    CXmlDoc fresh;
    fresh.SetText(doc.DocText());
    return fresh.WellFormed() == doc.WellFormed() && Dump(fresh) == Dump(doc);
}
