#include "removal_plan.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace uninstall {

namespace {

// Whether whole is parent\child: a key deleted from its parent is the key the plan names.
constexpr bool NamesKey(std::string_view parent, std::string_view child, std::string_view whole) {
    return whole.size() == parent.size() + 1 + child.size() && whole.starts_with(parent) &&
           whole[parent.size()] == '\\' && whole.ends_with(child);
}
static_assert(NamesKey(kProductKey, kSettingsSubkey, kSettingsKey));
static_assert(NamesKey(kCompanyKey, kProductSubkey, kProductKey));
// Only the member's data goes to the Recycle Bin: a program file listed after it would go there too.
static_assert(std::string_view(kProgramFiles[kProgramFileCount - 2]) == "site.qzd" &&
              std::string_view(kProgramFiles[kProgramFileCount - 1]) == "sess.qzd" && kMemberDataFileCount == 2);
// The host's own subkey goes, never a browser's whole list of hosts, which other programs share.
static_assert([] {
    for (std::string_view parent : kHostParentKeys)
        if (!parent.starts_with("Software\\") || !parent.ends_with("\\NativeMessagingHosts")) return false;
    return true;
}());

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A run of at least one character other than a backslash, starting at text[at]; returns
// the index just past it, or 0 when the run is empty.
size_t SkipName(const char* text, size_t at) {
    size_t end = at;
    while (text[end] && text[end] != '\\') ++end;
    return end > at ? end : 0;
}

constexpr char kFinishSwitch[] = "/finish ";

bool IsAbsolute(const char* path) {
    if (IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    if (path[0] != '\\' || path[1] != '\\') return false;
    const size_t server = SkipName(path, 2);
    return server && path[server] == '\\' && SkipName(path, server + 1) != 0;
}

}  // namespace

MenuEntryAction MenuEntryActionFor(const char* name, uint32_t attributes) {
    if (name[0] == '.') return MenuEntryAction::kKeep;
    if (!(attributes & kDirectoryAttribute)) return MenuEntryAction::kDeleteFile;
    return (attributes & kReparsePointAttribute) ? MenuEntryAction::kRemoveLink : MenuEntryAction::kKeep;
}

bool ProgramFolderFromValue(uint32_t type, const unsigned char* bytes, size_t length, char (&folder)[kPathBuffer]) {
    folder[0] = '\0';
    if (type != kStringType || length == 0 || length > kPathBuffer) return false;
    // The text ends at its first zero; without one it must leave room for the terminator.
    const void* zero = std::memchr(bytes, 0, length);
    const size_t textLength = zero ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - bytes) : length;
    if (textLength >= kPathBuffer) return false;
    char text[kPathBuffer];
    std::memcpy(text, bytes, textLength);
    text[textLength] = '\0';
    if (!IsAbsolute(text)) return false;
    // File names are appended directly, so the folder must end in a backslash.
    const bool needsBackslash = text[textLength - 1] != '\\';
    return JoinPath(text, needsBackslash ? "\\" : "", folder);
}

bool JoinPath(const char* folder, const char* name, char (&out)[kPathBuffer]) {
    const size_t folderLength = std::strlen(folder), nameLength = std::strlen(name);
    out[0] = '\0';
    if (folderLength + nameLength >= kPathBuffer) return false;
    std::memcpy(out, folder, folderLength);
    std::memcpy(out + folderLength, name, nameLength + 1);
    return true;
}

bool FormatSelfRemoval(const char* copy, uint64_t process, const char* folder, char (&out)[kCommandBuffer]) {
    const int length = std::snprintf(out, sizeof out, "\"%s\" %s%llu %s", copy, kFinishSwitch,
                                     static_cast<unsigned long long>(process), folder);
    if (length > 0 && static_cast<size_t>(length) < sizeof out) return true;
    out[0] = '\0';
    return false;
}

bool CompanyFolderOf(const char* folder, char (&parent)[kPathBuffer]) {
    parent[0] = '\0';
    size_t end = std::strlen(folder);  // brought to the backslash before the program folder's name
    if (end > 0 && folder[end - 1] == '\\') --end;
    while (end > 0 && folder[end - 1] != '\\') --end;
    if (end-- == 0) return false;
    const size_t companyLength = std::strlen(kCompanyMenuFolder);  // "\Tavrik Software"
    if (end < companyLength || end >= kPathBuffer) return false;
    for (size_t i = 0; i < companyLength; ++i)
        if (std::tolower(static_cast<unsigned char>(folder[end - companyLength + i])) !=
            std::tolower(static_cast<unsigned char>(kCompanyMenuFolder[i])))
            return false;
    std::memcpy(parent, folder, end);
    parent[end] = '\0';
    return true;
}

bool ParseSelfRemoval(const char* arguments, uint64_t* process, char (&folder)[kPathBuffer]) {
    folder[0] = '\0';
    const size_t switchLength = sizeof kFinishSwitch - 1;
    if (std::strncmp(arguments, kFinishSwitch, switchLength) != 0) return false;
    const char* at = arguments + switchLength;
    uint64_t value = 0;
    size_t digits = 0;
    for (; *at >= '0' && *at <= '9'; ++at) {
        if (++digits > 19) return false;  // more would not fit in 64 bits
        value = value * 10 + static_cast<uint64_t>(*at - '0');
    }
    if (digits == 0 || *at != ' ') return false;
    ++at;
    if (!ProgramFolderFromValue(kStringType, reinterpret_cast<const unsigned char*>(at), std::strlen(at) + 1, folder))
        return false;
    *process = value;
    return true;
}

}  // namespace uninstall
