// Script files for the headless and window runners, and the quoting of their bad text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Classes/App/ShellScript.h"
#include "platform/foundation/StringUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto commands = ShellScript::parse(text, &error);
    if (!commands) {
        // Errors are short and printable whatever the script held.
        if (error.size() > 400 || !str::isValidUtf8(error)) std::abort();
        for (size_t i = 0; i < error.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(error[i]);
            // No C0 control, and no C1 control (U+0080 to U+009F, written C2 80 to C2 9F).
            if (c < 0x20 || c == 0x7F) std::abort();
            if (c == 0xC2 && i + 1 < error.size() && (static_cast<unsigned char>(error[i + 1]) & 0xE0) == 0x80) std::abort();
        }
        return 0;
    }
    for (const ShellScriptCommand& c : *commands)
        if (c.seconds < 0 || c.seconds > 86400) std::abort();
    return 0;
}
