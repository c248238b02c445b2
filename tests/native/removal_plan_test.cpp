// The uninstaller's plan: what it removes in which order, and which stored program folder it
// accepts before deleting anything.
#include <gtest/gtest.h>

#include <string>

#include "uninstall/removal_plan.h"

using namespace uninstall;

TEST(RemovalPlan, MenuEntriesThatBeginWithADotOrAreFoldersStayAndLinksGoThemselves) {
    using enum MenuEntryAction;
    constexpr uint32_t kDir = kDirectoryAttribute, kLink = kReparsePointAttribute;
    const struct {
        const char* name;
        uint32_t attributes;
        MenuEntryAction action;
    } cases[] = {
        {"..", kDir, kKeep},       {".keep", 0, kKeep},  {".j", kDir | kLink, kKeep},     {"a.lnk", 0x20, kDeleteFile},
        {"f", kLink, kDeleteFile}, {"Sub", kDir, kKeep}, {"J", kDir | kLink, kRemoveLink}};
    for (const auto& c : cases) EXPECT_EQ(MenuEntryActionFor(c.name, c.attributes), c.action) << c.name;
}

namespace {

// The value as the registry hands it over: its bytes, zero-terminated unless told otherwise.
std::string Bytes(const std::string& text, bool terminated = true) { return terminated ? text + '\0' : text; }

}  // namespace

TEST(RemovalPlan, ProgramFolderValue) {
    const std::string x(kPathBuffer - 5, 'x');  // "C:\\" + x + "\\" fills the buffer but its zero
    const struct {
        const char* what;
        uint32_t type;
        std::string bytes;
        std::string folder;  // empty: refused
    } cases[] = {
        {"installed form", kStringType, Bytes("C:\\Program Files\\Tavrik\\"), "C:\\Program Files\\Tavrik\\"},
        {"backslash added", kStringType, Bytes("C:\\Tavrik"), "C:\\Tavrik\\"},
        {"drive root", kStringType, Bytes("d:\\"), "d:\\"},
        {"network share", kStringType, Bytes("\\\\server\\share\\Rateline\\"), "\\\\server\\share\\Rateline\\"},
        {"share itself", kStringType, Bytes("\\\\server\\share"), "\\\\server\\share\\"},
        {"no terminator, fits", kStringType, Bytes("C:\\T", false), "C:\\T\\"},
        {"bytes after the terminator", kStringType, std::string("C:\\A\\\0junk", 10), "C:\\A\\"},
        {"the buffer but its zero", kStringType, Bytes("C:\\" + x + "\\"), "C:\\" + x + "\\"},
        {"empty data", kStringType, "", ""},
        {"empty text", kStringType, Bytes(""), ""},
        {"expandable string", 2, Bytes("C:\\Tavrik\\"), ""},
        {"binary", 3, Bytes("C:\\Tavrik\\"), ""},
        {"relative", kStringType, Bytes("Tavrik\\"), ""},
        {"rooted, no drive", kStringType, Bytes("\\Tavrik\\"), ""},
        {"drive-relative", kStringType, Bytes("C:Tavrik\\"), ""},
        {"forward slashes", kStringType, Bytes("C:/Tavrik/"), ""},
        {"digit as drive", kStringType, Bytes("1:\\Tavrik\\"), ""},
        {"share without name", kStringType, Bytes("\\\\server\\"), ""},
        {"server without name", kStringType, Bytes("\\\\\\share\\"), ""},
        {"no room for the backslash", kStringType, Bytes("C:\\" + x + "x"), ""},
        {"the whole buffer, no terminator", kStringType, Bytes("C:\\" + x + "xx", false), ""},
        {"longer than the buffer", kStringType, Bytes("C:\\" + x + x), ""},
    };
    for (const auto& c : cases) {
        char folder[kPathBuffer] = "stale";
        const bool accepted = ProgramFolderFromValue(c.type, reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                                     c.bytes.size(), folder);
        EXPECT_EQ(accepted, !c.folder.empty()) << c.what;
        EXPECT_EQ(std::string(folder), c.folder) << c.what;
    }
}

TEST(RemovalPlan, JoinedPathsFitTheBuffer) {
    const std::string folder(kPathBuffer - 10, 'f');
    const struct {
        std::string name;
        bool fits;
    } cases[] = {{"sess.qzd", true}, {"123456789", true}, {"1234567890", false}};
    for (const auto& c : cases) {
        char out[kPathBuffer] = "stale";
        EXPECT_EQ(JoinPath(folder.c_str(), c.name.c_str(), out), c.fits) << c.name;
        EXPECT_EQ(std::string(out), c.fits ? folder + c.name : "") << c.name;
    }
}

TEST(RemovalPlan, SelfRemovalCommandLineReadsBackAndNothingElseDoes) {
    char line[kCommandBuffer];
    ASSERT_TRUE(FormatSelfRemoval("C:\\Temp\\uni1.tmp", 1234, "C:\\Users\\m\\Rateline\\", line));
    const std::string copy = "\"C:\\Temp\\uni1.tmp\" ";
    ASSERT_EQ(std::string(line).rfind(copy, 0), 0u);
    const struct {
        std::string arguments;
        uint64_t process;
        std::string folder;  // empty: refused
    } cases[] = {{line + copy.size(), 1234, "C:\\Users\\m\\Rateline\\"},
                 {"/finish 9999999999999999999 \\\\s\\share", 9999999999999999999u, "\\\\s\\share\\"},
                 {"/finish 10000000000000000000 C:\\R\\", 0, ""},
                 {"/finish  C:\\R\\", 0, ""},
                 {"/finish 12 R\\", 0, ""},
                 {"/finish 12", 0, ""},
                 {"/Finish 12 C:\\R\\", 0, ""},
                 {"", 0, ""}};
    for (const auto& c : cases) {
        uint64_t process = 0;
        char folder[kPathBuffer] = "stale";
        EXPECT_EQ(ParseSelfRemoval(c.arguments.c_str(), &process, folder), !c.folder.empty()) << c.arguments;
        EXPECT_EQ(std::string(folder), c.folder) << c.arguments;
        EXPECT_EQ(process, c.process) << c.arguments;
    }
}

TEST(RemovalPlan, CompanyFolderIsTheMakersOnly) {
    const struct {
        const char* folder;
        const char* company;  // empty: none
    } cases[] = {{"C:\\U\\Programs\\Tavrik Software\\Rateline\\", "C:\\U\\Programs\\Tavrik Software"},
                 {"D:\\tavrik software\\R", "D:\\tavrik software"},
                 {"C:\\Tools\\Rateline\\", ""},
                 {"C:\\My Tavrik Software\\Rateline\\", ""},
                 {"Tavrik Software\\Rateline\\", ""}};
    for (const auto& c : cases) {
        char company[kPathBuffer] = "stale";
        EXPECT_EQ(CompanyFolderOf(c.folder, company), c.company[0] != '\0') << c.folder;
        EXPECT_STREQ(company, c.company) << c.folder;
    }
}
