#include "store/ConfigFile.h"
#include "text/Utf8.h"

namespace {

std::size_t LastSeparator(const std::u16string& path)
{
    return path.find_last_of(u"\\/");
}

}  // namespace

bool CConfigFile::Read(std::u16string& text) const
{
    std::string bytes;
    if (!files.ReadAll(path, bytes))
        return false;
    text = Utf8ToUtf16(bytes);
    return true;
}

bool CConfigFile::Write(std::u16string_view text)
{
    return WriteBytes(path, Utf16ToUtf8(text));
}

bool CConfigFile::KeepDamagedCopy()
{
    std::string bytes;
    if (!files.ReadAll(path, bytes))
        return false;
    return WriteBytes(DamagedPath(), bytes);
}

bool CConfigFile::WriteBytes(const std::u16string& target, std::string_view bytes)
{
    const std::u16string temp = target + u".tmp";
    if (!files.WriteAll(temp, bytes) || !files.ReplaceWith(temp, target)) {
        files.Remove(temp);
        return false;
    }
    return true;
}

std::u16string FolderOf(const std::u16string& path)
{
    std::size_t separator = LastSeparator(path);
    return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator);
}

std::u16string StemOf(const std::u16string& path)
{
    std::size_t separator = LastSeparator(path);
    std::u16string name = separator == std::u16string::npos ? path : path.substr(separator + 1);
    std::size_t dot = name.find_last_of(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string JoinPath(const std::u16string& folder, std::u16string_view name)
{
    char16_t separator = folder.find(u'/') != std::u16string::npos && folder.find(u'\\') == std::u16string::npos
                             ? u'/'
                             : u'\\';
    return folder + separator + std::u16string(name);
}
