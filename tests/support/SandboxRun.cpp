// Runs a command in a test sandbox of its own, as every GoogleTest case runs:
//   lumeno-test-sandbox NAME COMMAND [ARGUMENT...]
#include <unistd.h>

#include <cstdio>

#include "tests/support/TestSandbox.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: lumeno-test-sandbox NAME COMMAND [ARGUMENT...]\n");
        return 2;
    }
    enterTestSandbox(argv[1]);
    execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    return 127;
}
