#pragma once
// The main window's pictures at one scale: the toolbar's two strips and the
// row picture. They are plain GDI objects that belong to no thread, so the
// first ones are made on the reading thread while the window is built.

#include "controls/Dialog.h"
#include "controls/Handles.h"

#include <windows.h>

// The pictures' sizes at 96 DPI.
constexpr int kToolBarPicture = 32;
constexpr int kRowPicture = 32;

struct MainPictures {
    UINT dpi = 0;
    CImageListHolder tools, toolsDisabled, rows;
};
MainPictures MakeMainPictures(UINT dpi);

// What the window shows first, made for the scale it is expected at.
struct StartPictures {
    MainPictures main;
    TitleIcons title;
};
StartPictures MakeStartPictures(UINT dpi);
