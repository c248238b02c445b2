#include "rating_picture.h"

#include "../base/gdi_handles.h"

bool ComposeRatingPicture(HBITMAP picture, HBITMAP grid, HBITMAP markSheet, const Mark* marks, int count) {
    if (!picture || !grid || !markSheet) return false;
    MemoryDc target(nullptr);
    MemoryDc source(nullptr);
    if (!target || !source) return false;
    Selection targetPicture(target.get(), picture);
    if (!targetPicture.ok()) return false;  // for one, held in another DC
    {
        Selection background(source.get(), grid);
        BitBlt(target.get(), 0, 0, kPictureWidth, kPictureHeight, source.get(), 0, 0, SRCCOPY);
    }
    Selection sheet(source.get(), markSheet);
    for (int i = 0; i < count; ++i)
        BitBlt(target.get(), marks[i].left, marks[i].top, kMarkSize, kMarkSize, source.get(), marks[i].sourceX,
               marks[i].sourceY, SRCCOPY);
    GdiFlush();
    return true;
}
