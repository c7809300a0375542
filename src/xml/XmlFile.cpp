#include "xml/XmlFile.h"
#include "platform/FileSystem.h"
#include "text/DecimalText.h"
#include "text/Utf8.h"
#include "xml/XmlDoc.h"

bool ReadUtf8File(const std::u16string& path, std::u16string& text, std::u16string& note)
{
    CLocalFileSystem files;
    std::string bytes;
    if (!files.ReadAll(path, bytes)) {
        note = files.LastErrorText();
        return false;
    }
    text = Utf8ToUtf16(bytes);
    note = DecimalText(static_cast<long long>(bytes.size())) + u" bytes to " +
           DecimalText(static_cast<long long>(text.size())) + u" wide chars";
    return true;
}

bool WriteUtf8File(const std::u16string& path, std::u16string_view text, std::u16string& note)
{
    // The target is rewritten in place: no temporary file, no backup.
    CLocalFileSystem files;
    std::string bytes = Utf16ToUtf8(text);
    if (!files.WriteAll(path, bytes)) {
        note = files.LastErrorText();
        return false;
    }
    note = DecimalText(static_cast<long long>(text.size())) + u" wide chars to " +
           DecimalText(static_cast<long long>(bytes.size())) + u" bytes";
    return true;
}

bool CXmlDoc::LoadFile(const std::u16string& path)
{
    std::u16string loaded;
    std::u16string note;
    if (!ReadUtf8File(path, loaded, note)) {
        // The document stays as it was.
        resultText = note;
        return false;
    }
    text = std::move(loaded);
    resultText = std::move(note);
    return Parse();
}

bool CXmlDoc::SaveFile(const std::u16string& path)
{
    return WriteUtf8File(path, text, resultText);
}
