#include "xml/XmlFile.h"
#include "xml/FileAccess.h"
#include "xml/Utf8.h"
#include "xml/XmlDoc.h"
#include "xml/XmlTokenizer.h"

#include <new>

namespace {

// Offsets in the document are signed 32-bit.
constexpr std::int64_t maxFileSize = INT32_MAX;

}  // namespace

bool ReadUtf8File(const std::u16string& path, std::u16string& text, std::u16string& note)
{
    std::FILE* file = OpenBinaryFile(path, false);
    if (file == nullptr) {
        note = LastErrorText();
        return false;
    }
    std::int64_t size = OpenFileSize(file);
    if (size < 0) {
        note = LastErrorText();
        std::fclose(file);
        return false;
    }
    if (size > maxFileSize) {
        note = u"File too large";
        std::fclose(file);
        return false;
    }

    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        note = u"Not enough memory";
        std::fclose(file);
        return false;
    }
    if (size > 0 && std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        note = LastErrorText();
        std::fclose(file);
        return false;
    }
    std::fclose(file);

    text = Utf8ToUtf16(bytes);
    note = DecimalText(size) + u" bytes to " + DecimalText(static_cast<long long>(text.size())) + u" wide chars";
    return true;
}

bool WriteUtf8File(const std::u16string& path, std::u16string_view text, std::u16string& note)
{
    std::FILE* file = OpenBinaryFile(path, true);
    if (file == nullptr) {
        note = LastErrorText();
        return false;
    }
    std::string bytes = Utf16ToUtf8(text);
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    note = DecimalText(static_cast<long long>(text.size())) + u" wide chars to " +
           DecimalText(static_cast<long long>(bytes.size())) + u" bytes";
    if (!written)
        note = LastErrorText();
    // Buffered data reaches the disk only at the close, which can fail too.
    if (std::fclose(file) != 0 && written) {
        note = LastErrorText();
        written = false;
    }
    return written;
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
