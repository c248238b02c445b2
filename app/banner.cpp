#include "banner.h"

#include "../resources/rtln_ids.h"
#include "app_resources.h"

namespace {

HBITMAP g_bannerBitmap;
volatile LONG g_bannerFrame;

}  // namespace

bool StartBanner(HWND) {
    g_bannerBitmap = static_cast<HBITMAP>(
        LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 263, 135, 0));
    return g_bannerBitmap != nullptr;
}

HBITMAP BannerBitmap() { return g_bannerBitmap; }
int BannerFrame() { return g_bannerFrame; }

void ReleaseBannerControl(HWND) {}
void KillBannerTimer() {}

void DeleteBannerBitmap() {
    if (g_bannerBitmap) DeleteObject(g_bannerBitmap);
    g_bannerBitmap = nullptr;
}
