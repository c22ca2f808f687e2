// Every clip of a downloaded chapter is checked before it is stored, its frame headers walked to
// the end and its first frames decoded: any bytes are accepted or refused, never crash the check
// or read out of bounds.

#include "Classes/Audio/ClipPreparer.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)ClipPreparer::check(std::vector<uint8_t>(data, data + size));
    return 0;
}
