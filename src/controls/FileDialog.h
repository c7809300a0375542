#pragma once
// The system's dialog that asks for a file to open. The caller says which
// kinds of file it offers and the name it suggests; the answer is the full
// path of the file chosen, however long.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct FileKind {
    std::u16string name;      // as the list shows it: "XML Files (*.xml)"
    std::u16string patterns;  // "*.xml", or several as "*.htm;*.html"
};

class COpenFileDialog {
public:
    COpenFileDialog(std::vector<FileKind> kinds, std::u16string suggestedName, std::u16string defaultExtension)
        : kinds(std::move(kinds)), suggestedName(std::move(suggestedName)), defaultExtension(std::move(defaultExtension))
    {
    }

    // The file chosen; nothing when the user cancels or the dialog fails.
    std::optional<std::u16string> Ask(HWND owner) const;

private:
    // The kinds as the dialog takes them: name and patterns, each ended by
    // a null, and one more null at the end.
    std::wstring Filter() const;

    std::vector<FileKind> kinds;
    std::u16string suggestedName;
    std::u16string defaultExtension;
};
