#pragma once
// The program's own resources as the windows use them: strings, toolbar
// layouts, picture strips and icons, all from the executable's module. A
// resource that is not there gives nothing back, never a failure.

#include "controls/Handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A string of the string table; nothing when the table has no such string.
std::optional<std::u16string> LoadResourceString(UINT id);

// The command IDs of a toolbar resource in button order; 0 is a separator.
std::vector<WORD> LoadToolBarButtons(int id);

// A strip of pictures `size` pixels square, cut into an image list. The
// strips of one set follow `firstStrip` in the order of kDrawnSizes; the one
// drawn nearest to `size` is used.
CImageListHolder LoadPictureStrip(int firstStrip, int size);

// An icon at the drawn size nearest to `wanted` pixels, shown as drawn.
CIconHolder LoadDrawnIcon(int id, int wanted);

// An icon at exactly `size` pixels, for places that show it at that size
// whatever is given: a larger drawing is scaled down, which keeps it sharper
// than the place's own stretching of a smaller one.
CIconHolder LoadIconAtSize(int id, int size);
