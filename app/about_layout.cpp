#include "about_layout.h"

AboutHeaderLayout LayOutAboutHeader(int productWidth, int makerWidth) {
    const int productHalf = productWidth / 2;
    const int makerHalf = makerWidth / 2;
    AboutHeaderLayout layout{};
    layout.makerLeft = 58 + (productHalf - makerHalf);
    layout.leftLineEnd = productHalf - makerHalf + 56;
    layout.rightLineStart = productHalf + makerHalf + 61;
    layout.rightLineEnd = productWidth + 60;
    return layout;
}
