#include "rating_picture.h"

#include "base/handle.h"

bool ComposeRatingPicture(HBITMAP picture, HBITMAP grid, HBITMAP markSheet, const Mark* marks, int count) {
    if (!picture || !grid || !markSheet) return false;
    const MemoryDc target(CreateCompatibleDC(nullptr));
    const MemoryDc source(CreateCompatibleDC(nullptr));
    if (!target || !source) return false;
    const Selection targetPicture = Select(target.get(), picture);
    if (!targetPicture) return false;  // for one, held in another DC
    {
        const Selection background = Select(source.get(), grid);
        BitBlt(target.get(), 0, 0, kPictureWidth, kPictureHeight, source.get(), 0, 0, SRCCOPY);
    }
    const Selection sheet = Select(source.get(), markSheet);
    for (int i = 0; i < count; ++i)
        BitBlt(target.get(), marks[i].left, marks[i].top, kMarkSize, kMarkSize, source.get(), marks[i].sourceX,
               marks[i].sourceY, SRCCOPY);
    GdiFlush();
    return true;
}
