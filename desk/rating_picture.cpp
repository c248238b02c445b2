#include "rating_picture.h"

#include "../app/gdi_handles.h"

bool ComposeRatingPicture(HBITMAP picture, HBITMAP grid, HBITMAP markSheet, const std::vector<Mark>& marks) {
    if (!picture || !grid || !markSheet) return false;
    MemoryDc target(nullptr);
    MemoryDc source(nullptr);
    if (!target || !source) return false;
    Selection targetPicture(target.get(), picture);
    {
        Selection background(source.get(), grid);
        BitBlt(target.get(), 0, 0, kPictureWidth, kPictureHeight, source.get(), 0, 0, SRCCOPY);
    }
    Selection sheet(source.get(), markSheet);
    for (const Mark& mark : marks)
        BitBlt(target.get(), mark.left, mark.top, kMarkSize, kMarkSize, source.get(), mark.sourceX, mark.sourceY,
               SRCCOPY);
    GdiFlush();
    return true;
}
