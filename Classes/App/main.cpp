#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "lumeno: no display found. Run it headless with --headless, or under a virtual "
                     "display: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    std::fprintf(stderr, "lumeno: the reader's window is not built yet.\n");
    return 0;
}
