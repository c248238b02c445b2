#include "file_mapping.h"

namespace {

// Not constexpr: for clang the address of an imported function is no constant expression.
const MappingCalls kSystemCalls = {MapViewOfFile, FlushViewOfFile};
const MappingCalls* g_calls = &kSystemCalls;

}  // namespace

const MappingCalls& WriterMappingCalls() { return *g_calls; }
void SetWriterMappingCalls(const MappingCalls* calls) { g_calls = calls ? calls : &kSystemCalls; }
