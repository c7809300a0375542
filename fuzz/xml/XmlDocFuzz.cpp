// libFuzzer target: any bytes, decoded and parsed, then edited at random,
// must leave a consistent index.

#include "text/Utf8.h"
#include "xml/XmlDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the edits; the rest is the document.
    unsigned script = data[0];
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::u16string text = Utf8ToUtf16(bytes);

    CXmlDoc doc;
    if (script & 0x80)
        doc.SetDocFlags(CXmlDoc::IgnoreCase);
    bool wellFormed = doc.SetText(text);
    Require(doc.CheckConsistency());
    // What a load decodes, a save writes back so that it decodes the same.
    Require(Utf8ToUtf16(Utf16ToUtf8(text)) == text);

    doc.FindNext();
    doc.FindNextChild();
    (void)doc.Text();
    (void)doc.ChildText();
    (void)doc.Attribute(u"a");
    (void)doc.InnerMarkup();
    if (script & 0x01)
        doc.AppendChildElement(u"N", u"v<&", script & 0x06);
    if (script & 0x08)
        doc.SetAttribute(u"a", u"'\"<");
    if (script & 0x10)
        doc.InsertMarkup(text.substr(0, text.size() / 2));
    Require(doc.CheckConsistency());
    doc.Enter();
    if (script & 0x20)
        doc.RemoveElement();
    doc.Leave();
    if (script & 0x40)
        doc.RemoveChildElement();
    Require(doc.CheckConsistency());

    // Edits of a well-formed document keep it well formed.
    if (wellFormed && (script & 0x10) == 0) {
        CXmlDoc again;
        again.SetDocFlags(doc.GetDocFlags());
        Require(again.SetText(doc.DocText()) == doc.WellFormed());
    }
    return 0;
}
