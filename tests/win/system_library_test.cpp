// Functions of system DLLs looked up at their first use.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/system_library.h"

TEST(SystemLibrary, FindsSystemFunctionsAndNothingElse) {
    const std::string tooLong(MAX_PATH, 'd');
    const struct {
        const char* dll;
        const char* name;
        bool found;
    } cases[] = {
        {"shell32.dll", "ShellExecuteExA", true},   {"oleaut32.dll", "SysAllocString", true},
        {"oleaut32.dll", "NoSuchFunction", false},  {"no_such_library.dll", "SysAllocString", false},
        {tooLong.c_str(), "SysAllocString", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dll).substr(0, 20) + " " + c.name);
        void* function = SystemFunction(c.dll, c.name);
        EXPECT_EQ(function != nullptr, c.found);
        // The very function the system's own loader gives for that name.
        if (c.found) {
            EXPECT_EQ(function, reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(c.dll), c.name)));
        }
    }
}
