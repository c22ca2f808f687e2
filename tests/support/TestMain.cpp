// Entry point of every test program. CTest runs each test case in its own process and
// several at once, so each process gets a sandbox of its own (see TestSandbox.h), named
// after its case. LUMENO_SOURCE_DIR points at the sources (fixtures).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "tests/support/TestSandbox.h"

namespace {

// The case named by the filter, as CTest gives it, else one name per process. Read before
// GoogleTest starts, which builds the parameter lists, and those may read settings already.
std::string sandboxName(int argc, char** argv)
{
    const char* variable = std::getenv("GTEST_FILTER");
    std::string filter = variable ? variable : "";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_filter=", 15) == 0)
            filter = argv[i] + 15;
    bool single = !filter.empty() && filter.find_first_of("*?:-") == std::string::npos;
    std::string name = single ? filter : "pid" + std::to_string(getpid());
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.')
            c = '_';
    return name;
}

} // namespace

int main(int argc, char** argv)
{
    enterTestSandbox(sandboxName(argc, argv));
    setenv("LUMENO_SOURCE_DIR", LUMENO_SOURCE_DIR_PATH, 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
