// Leaks one block from inside a GLib main loop callback. Under the leak checker with the
// project's suppressions the leak must be reported: a suppression must never take a whole
// library that calls code of ours.
#include <glib.h>

#include <cstdlib>
#include <cstring>

namespace {

gboolean leakFromCallback(gpointer)
{
    char* block = static_cast<char*>(std::malloc(4099));
    std::memset(block, 1, 4099);
    return G_SOURCE_REMOVE;
}

} // namespace

int main()
{
    g_idle_add(leakFromCallback, nullptr);
    g_main_context_iteration(nullptr, FALSE);
    return 0;
}
