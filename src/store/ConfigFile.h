#pragma once
// The configuration file on disk. A save never rewrites the file in place: the
// new text goes to a temporary file beside it, reaches the disk, and only then
// takes the old file's place, so a crash or a full disk leaves the old file.

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

class CConfigFile {
public:
    CConfigFile(IFileSystem& files, std::u16string path) : files(files), path(std::move(path)) {}

    const std::u16string& Path() const { return path; }
    // Where a file that could not be read as a configuration is kept.
    std::u16string DamagedPath() const { return path + u".bad"; }

    bool Exists() const { return files.Exists(path); }
    // The file's text, decoded from UTF-8; false when it cannot be read.
    bool Read(std::u16string& text) const;
    // Writes the text as UTF-8; on failure the old file is untouched.
    bool Write(std::u16string_view text);
    // Copies the file to DamagedPath, replacing an older copy.
    bool KeepDamagedCopy();

private:
    bool WriteBytes(const std::u16string& target, std::string_view bytes);

    IFileSystem& files;
    std::u16string path;
};

// The folder of a path: everything before its last separator.
std::u16string FolderOf(const std::u16string& path);
// The file name of a path without its folder and without its extension.
std::u16string StemOf(const std::u16string& path);
// folder + separator + name; the separator is the one the folder uses.
std::u16string JoinPath(const std::u16string& folder, std::u16string_view name);
