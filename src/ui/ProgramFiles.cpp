#include "ui/ProgramFiles.h"

#include "platform/ProductNames.h"
#include "store/ConfigFile.h"
#include "store/ConfigSchema.h"
#include "text/TextCase.h"

#include <filesystem>
#include <system_error>

namespace {

// Backslashes only, and no trailing one.
std::u16string NormalFolder(std::u16string path)
{
    for (char16_t& c : path) {
        if (c == u'/')
            c = u'\\';
    }
    // "C:\" keeps its separator: "C:" alone is the drive's current folder.
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

bool LocalFolderExists(const std::u16string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::path(path), error);
}

}  // namespace

InstallRecord ReadInstallRecord(IRegistry& machine)
{
    InstallRecord record;
    CRegKey key(machine);
    if (key.Open(kInstallKey, IRegistry::Access::Read) != 0)
        return record;
    key.QueryText(kInstallDirValue, &record.installFolder);
    key.QueryText(kDataDirValue, &record.dataFolder);
    return record;
}

bool SameFolder(const std::u16string& a, const std::u16string& b)
{
    return SameIgnoringAsciiCase(NormalFolder(a), NormalFolder(b));
}

ProgramFiles ProgramFilesFor(const std::u16string& executablePath, const InstallRecord& record,
                             const std::u16string& programData, const FolderExists& folderExists)
{
    ProgramFiles files;
    files.folder = FolderOf(executablePath);
    files.dataFolder = files.folder;
    if (!record.installFolder.empty() && SameFolder(record.installFolder, files.folder)) {
        std::u16string data = NormalFolder(record.dataFolder);
        if (data.empty() && !programData.empty())
            data = JoinPath(NormalFolder(programData), u"Lanvoy");
        // With no folder to go to, the files stay beside the program: better
        // than writing them nowhere.
        if (!data.empty()) {
            files.dataFolder = data;
            files.installed = true;
        }
    }
    if (!files.installed) {
        const std::u16string data = JoinPath(files.folder, kPortableDataFolder);
        if (folderExists ? folderExists(data) : LocalFolderExists(data))
            files.dataFolder = data;
    }
    files.config = JoinPath(files.dataFolder, config::kFileName);
    files.settingsCopy = JoinPath(files.dataFolder, u"config.xml");
    files.systemLog = JoinPath(files.dataFolder, u"system.log");
    files.debugLog = JoinPath(files.dataFolder, u"debug.log");
    files.manual = JoinPath(files.folder, u"Lanvoy使用手册.chm");
    files.versionFile = JoinPath(files.dataFolder, u"lanvoy.version");
    return files;
}

ProgramFiles ProgramFilesBeside(const std::u16string& executablePath)
{
    return ProgramFilesFor(executablePath, {}, {}, [](const std::u16string&) { return false; });
}

std::u16string CommandLineArgument(const std::u16string& path)
{
    if (path.find(u' ') == std::u16string::npos && path.find(u'\t') == std::u16string::npos)
        return path;
    return u"\"" + path + u"\"";
}
