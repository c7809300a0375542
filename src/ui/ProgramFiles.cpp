#include "ui/ProgramFiles.h"

#include "store/ConfigFile.h"
#include "store/ConfigSchema.h"

ProgramFiles ProgramFilesBeside(const std::u16string& executablePath)
{
    ProgramFiles files;
    files.folder = FolderOf(executablePath);
    files.config = JoinPath(files.folder, config::kFileName);
    files.settingsCopy = JoinPath(files.folder, u"config.xml");
    files.systemLog = JoinPath(files.folder, u"system.log");
    files.debugLog = JoinPath(files.folder, u"debug.log");
    files.manual = JoinPath(files.folder, u"Lanvoy使用手册.chm");
    files.versionFile = JoinPath(files.folder, u"lanvoy.version");
    return files;
}

std::u16string CommandLineArgument(const std::u16string& path)
{
    if (path.find(u' ') == std::u16string::npos && path.find(u'\t') == std::u16string::npos)
        return path;
    return u"\"" + path + u"\"";
}
