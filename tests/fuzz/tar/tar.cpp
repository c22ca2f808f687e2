// Chapter archives are unpacked by tar_extract: any input fails cleanly or extracts, and
// nothing is ever written outside the target folder.

#include "Classes/Audio/Archive/TarExtract.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A private sandbox; the archive's folder is "out" inside it.
const fs::path& sandbox() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "fuzz-tar-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        if (!made) std::abort();
        return fs::path(made);
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path out = sandbox() / "out";
    fs::remove_all(out);
    int fd = memfd_create("tar-input", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        return 0;
    }
    lseek(fd, 0, SEEK_SET);
    FILE* in = fdopen(fd, "rb");
    if (!in) {
        close(fd);
        return 0;
    }
    (void)tar_extract(in, "", out.string());
    std::fclose(in);
    // Only the target folder may exist in the sandbox.
    for (const auto& entry : fs::directory_iterator(sandbox()))
        if (entry.path() != out) std::abort();
    fs::remove_all(out);
    return 0;
}
