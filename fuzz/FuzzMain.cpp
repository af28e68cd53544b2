#include "FuzzTargets.h"

// One libFuzzer executable per target; FUZZ_ENTRY names the target's function.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FUZZ_ENTRY(data, size);
    return 0;
}
