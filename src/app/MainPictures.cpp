#include "app/MainPictures.h"

#include "controls/DpiScale.h"
#include "controls/Resources.h"

#include "resource.h"

#include <commctrl.h>

MainPictures MakeMainPictures(UINT dpi)
{
    MainPictures made;
    made.dpi = dpi;
    const int tool = DrawnSizeForDpi(kToolBarPicture, dpi);
    made.tools = LoadPictureStrip(IDB_TOOLBAR_16, tool);
    made.toolsDisabled = LoadPictureStrip(IDB_TOOLBAR_16_DISABLED, tool);
    const int row = DrawnSizeForDpi(kRowPicture, dpi);
    made.rows = CImageListHolder(ImageList_Create(row, row, ILC_COLOR32 | ILC_MASK, 1, 0));
    CIconHolder rowIcon = LoadDrawnIcon(IDI_PROFILE, row);
    ImageList_AddIcon(made.rows, rowIcon);
    return made;
}

StartPictures MakeStartPictures(UINT dpi)
{
    return {MakeMainPictures(dpi), MakeTitleIcons(IDI_APP, dpi)};
}
