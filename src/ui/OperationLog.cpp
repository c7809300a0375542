#include "ui/OperationLog.h"

#include "platform/AnsiText.h"
#include "store/ConfigSchema.h"
#include "ui/ProgramFiles.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xff\xfe";
const std::u16string kSeparator = u"\r\n" + std::u16string(80, u'=') + u"\r\n";

std::string LittleEndian(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace

COperationLog::COperationLog(IFileSystem& files, IClock& clock, std::u16string systemLogPath,
                             std::u16string debugLogPath)
    : files(files), clock(clock), systemLogPath(std::move(systemLogPath)), debugLogPath(std::move(debugLogPath))
{
}

void COperationLog::WriteSystemLog(std::u16string_view text, bool logFlag)
{
    if (!logFlag)
        return;
    std::lock_guard<std::mutex> lock(writing);
    Write(systemLogPath, config::TimeStamp(clock.Now()) + std::u16string(text) + kSeparator);
}

void COperationLog::WriteDebugLog(std::u16string_view text, bool debug)
{
    if (!debug)
        return;
    std::lock_guard<std::mutex> lock(writing);
    Write(debugLogPath, config::TimeStamp(clock.Now()) + u"\r\n" + std::u16string(text) + kSeparator);
}

void COperationLog::Write(const std::u16string& path, const std::u16string& entry)
{
    // A file too short to hold the mark starts again with it. A log of an
    // earlier release, in the ANSI code page, is converted once; either byte
    // of the mark shows it was done.
    // Failures drop the entry without a word: a log must never stop what it
    // records, and an entry must not follow text that is still ANSI.
    std::string start;
    if (files.ReadStart(path, 2, start)) {
        if (start.size() < 2) {
            if (!files.WriteAll(path, kByteOrderMark))
                return;
        } else if (start[0] != '\xff' && start[1] != '\xfe') {
            std::string old;
            if (!files.ReadAll(path, old) ||
                !files.WriteAll(path, std::string(kByteOrderMark) + LittleEndian(AnsiToUtf16(old))))
                return;
        }
    }
    files.Append(path, LittleEndian(entry), kByteOrderMark);
}

ShellRequest ViewLogRequest(const std::u16string& systemLogPath, const std::u16string& systemFolder)
{
    // The blank before the name is part of the parameters Notepad is given.
    return ShellRequest{u"open", systemFolder + u"\\NOTEPAD.EXE", u" " + CommandLineArgument(systemLogPath)};
}
