// The Windows tests run the program's code as the program runs it: the test executable's
// module stands for the program's instance (resources, window classes, dialogs).
#include <gtest/gtest.h>

#include "base/dialog_look.h"

namespace {

class ProgramInstance : public ::testing::Environment {
public:
    void SetUp() override { SetAppInstance(GetModuleHandleA(nullptr)); }
};

[[maybe_unused]] ::testing::Environment* const kProgramInstance =
    ::testing::AddGlobalTestEnvironment(new ProgramInstance);

}  // namespace
