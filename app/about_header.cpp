#include "about_header.h"

#include <cstring>

#include "base/handle.h"
#include "about_layout.h"
#include "product_facts.h"

namespace {

constexpr const char* kProductName = RTLN_PRODUCT_NAME;
constexpr const char* kMakerName = RTLN_MAKER;
constexpr const char* kHeaderFace = "qztuMain";
constexpr COLORREF kShadowColour = RGB(64, 64, 64);
constexpr COLORREF kProductColour = RGB(107, 107, 255);
constexpr COLORREF kMakerColour = RGB(255, 72, 72);
constexpr int kBandHeight = 44;  // the sizes here are pixels at 96 DPI

HFONT CreateHeaderFont(int height) {
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(description.lfFaceName, kHeaderFace);
    return CreateFontIndirectA(&description);
}

int TextWidth(HDC dc, const char* text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
}

void DrawLine(HDC dc, int fromX, int toX, int y) {
    MoveToEx(dc, fromX, y, nullptr);
    LineTo(dc, toX, y);
}

}  // namespace

void DrawAboutHeader(HDC dc, const RECT& item, HICON icon, int dpi) {
    const auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    const int bandHeight = px(kBandHeight);
    const RECT band = {item.left, item.top, item.right, item.top + bandHeight};
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (icon) DrawIconEx(dc, item.right - px(50), item.top - px(2), icon, px(48), px(46), 0, nullptr, DI_NORMAL);
    const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    DrawLine(dc, item.left, item.left + item.right, item.top + bandHeight);

    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = GetTextColor(dc);
    GdiObject<HFONT> large(CreateHeaderFont(-px(24)));
    const HGDIOBJ previousFont = SelectObject(dc, large.get());
    const int productWidth = TextWidth(dc, kProductName);
    SetTextColor(dc, kShadowColour);
    TextOutA(dc, px(59), px(6), kProductName, static_cast<int>(std::strlen(kProductName)));
    SetTextColor(dc, kProductColour);
    TextOutA(dc, px(58), px(5), kProductName, static_cast<int>(std::strlen(kProductName)));

    GdiObject<HFONT> small(CreateHeaderFont(-px(10)));
    SelectObject(dc, small.get());
    const AboutHeaderLayout layout = LayOutAboutHeader(productWidth, TextWidth(dc, kMakerName), dpi);
    SetTextColor(dc, kMakerColour);
    TextOutA(dc, layout.makerLeft, px(32), kMakerName, static_cast<int>(std::strlen(kMakerName)));

    // Lines stay one pixel wide at every scale.
    GdiObject<HPEN> red(CreatePen(PS_SOLID, 1, kMakerColour));
    SelectObject(dc, red.get());
    const int lineY = px(36);
    DrawLine(dc, px(58), layout.leftLineEnd, lineY);
    DrawLine(dc, layout.rightLineStart, layout.rightLineEnd, lineY);

    SelectObject(dc, previousPen);
    SelectObject(dc, previousFont);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}
