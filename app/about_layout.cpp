#include "about_layout.h"

namespace {

// An offset at 96 DPI at the given DPI, halves rounded up.
int Scale(int pixels, int dpi) { return (pixels * dpi + 48) / 96; }

}  // namespace

AboutHeaderLayout LayOutAboutHeader(int productWidth, int makerWidth, int dpi) {
    const int productHalf = productWidth / 2;
    const int makerHalf = makerWidth / 2;
    AboutHeaderLayout layout{};
    layout.makerLeft = Scale(58, dpi) + (productHalf - makerHalf);
    layout.leftLineEnd = productHalf - makerHalf + Scale(56, dpi);
    layout.rightLineStart = productHalf + makerHalf + Scale(61, dpi);
    layout.rightLineEnd = productWidth + Scale(60, dpi);
    return layout;
}
