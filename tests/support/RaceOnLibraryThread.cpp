// Two threads write one counter without a lock, one of them a thread GLib started. Under the
// thread sanitizer with the project's suppressions the race must be reported: a suppression
// must never take a whole library that runs code of ours.
#include <glib.h>

namespace {

int counter = 0;

gpointer count(gpointer)
{
    ++counter;
    return nullptr;
}

} // namespace

int main()
{
    GThread* thread = g_thread_new("counter", count, nullptr);
    ++counter;
    g_thread_join(thread);
    return 0;
}
