#pragma once
// Shared steps of the desk's UI scenarios.
#include <ctime>
#include <string>
#include <vector>

#include "desk/site_records.h"
#include "resources/rtln_ids.h"
#include "tests/ui/driver/ui_driver.h"

namespace desk_ui {

constexpr const char* kDeskCaption = "Tavrik Rateline";
constexpr const char* kNoSiteId = "Error! No Site ID was found.";
constexpr const char* kTooFew = "Error! The Site ID can't be less than 4 symbols.";
constexpr const char* kTooMany = "Error! The Site ID can't be more than 6 symbols.";
constexpr const char* kTooLong = "Error! The Clipboard contains the inadmissible amount a symbol.";
constexpr const char* kTimer = "Error! Could not create Timer.";

inline std::vector<unsigned char> RecordsFile(const std::vector<SiteRecord>& records) {
    std::vector<unsigned char> bytes(records.size() * kSiteRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeSiteRecord(records[i], &bytes[i * kSiteRecordSize]);
    return bytes;
}

inline int32_t SecondsAgo(int32_t seconds) {
    return static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr)) - static_cast<uint32_t>(seconds));
}

// A program folder with the given site.qzd (none when `withFile` is false).
inline std::string Folder(const char* name, const std::vector<SiteRecord>& records, bool withFile = true) {
    ui::DeleteSettingsKey();
    const std::string folder = ui::MakeProgramFolder(name);
    if (withFile) ui::WriteFileBytes(folder + "\\site.qzd", RecordsFile(records));
    return folder;
}

// The next message box, passing over the once-per-run session clock failure, which a
// lookup may raise before it runs; that one is not what these scenarios look at.
inline ui::MessageBoxInfo WaitDeskBox(const ui::Program& p, DWORD ms = ui::kWaitMs) {
    ui::MessageBoxInfo box = ui::WaitMessageBox(p, ms);
    if (box.window && box.text == kTimer) {
        ui::Answer(box, IDOK);
        box = ui::WaitMessageBox(p, ms);
    }
    return box;
}

inline std::string Question(int site) {
    return "Site " + std::to_string(site) + " is not evaluated. You want to evaluate this site?";
}

inline int CheckedRating(const ui::Program& p) {
    for (int r = 1; r <= 5; ++r)
        if (p.Checked(IDC_RATING_BUTTON_BASE + r)) return r;
    return 0;
}

// Ends the program through Exit, answering No to a pending question; it always ends with 1.
inline void Close(ui::Program& p) {
    EXPECT_TRUE(
        p.Command(IDM_EXIT, {"the end or a question", [&] { return !p.Running() || ui::MessageBoxNow(p).window; }}));
    if (ui::MessageBoxNow(p).window) ui::Answer(ui::WaitMessageBox(p), IDNO);
    EXPECT_EQ(p.WaitExit(), 1);
}

}  // namespace desk_ui
