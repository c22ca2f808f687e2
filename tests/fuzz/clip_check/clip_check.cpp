// Every clip of a downloaded chapter is checked with the MP3 decoder before it is stored: any
// bytes are accepted or refused, never crash the check or read out of bounds.

#include "Classes/Audio/ClipPreparer.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)ClipPreparer::decodes(std::vector<uint8_t>(data, data + size));
    return 0;
}
