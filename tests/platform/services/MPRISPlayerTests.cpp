// The desktop's media controls against a private session bus the test starts: the controls'
// calls arrive as remote-control events, and the player shows what plays.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <gio/gio.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/services/MPRISPlayer.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"

extern char** environ;

namespace {

// A dbus-daemon of the test's own. Its socket has an abstract name, which leaves no file
// behind and is free of the small limit on a socket's path (108 bytes) that the test's
// folders can pass.
class PrivateBus {
public:
    PrivateBus()
    {
        int fds[2];
        if (pipe(fds) != 0) return;
        const std::string listen = "--address=unix:abstract=lumeno-test-bus-" + std::to_string(getpid());
        const std::string print = "--print-address=" + std::to_string(fds[1]);
        std::vector<const char*> argv = {"dbus-daemon", "--session", "--nofork", listen.c_str(), print.c_str(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int rc = posix_spawnp(&pid_, "dbus-daemon", &actions, nullptr, const_cast<char**>(argv.data()), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (rc != 0) {
            pid_ = -1;
            close(fds[0]);
            return;
        }
        // The daemon prints its address once it listens; wait for it a bounded time.
        pollfd p{fds[0], POLLIN, 0};
        char buffer[512];
        ssize_t n = poll(&p, 1, 10000) == 1 ? read(fds[0], buffer, sizeof buffer - 1) : -1;
        close(fds[0]);
        if (n > 0) {
            address_.assign(buffer, n);
            while (!address_.empty() && (address_.back() == '\n' || address_.back() == '\r')) address_.pop_back();
        }
    }
    ~PrivateBus()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool started() const { return pid_ > 0 && !address_.empty(); }
    const std::string& address() const { return address_; }

private:
    std::string address_;
    pid_t pid_ = -1;
};

bool haveDbusDaemon()
{
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string all = path;
    for (size_t start = 0; start <= all.size();) {
        size_t end = all.find(':', start);
        if (end == std::string::npos) end = all.size();
        if (access((all.substr(start, end - start) + "/dbus-daemon").c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

class MPRISPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveDbusDaemon()) GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(bus.started()) << "the private bus did not start";
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        auto& app = UIApplication::sharedApplication();
        app.resetForTesting();
        app.beginReceivingRemoteControlEvents();
        app.setEventHook([this](UIEvent* e) {
            if (e->type() == UIEventTypeRemoteControl) received.push_back(e->subtype());
            return true;
        });
        GError* error = nullptr;
        client = g_dbus_connection_new_for_address_sync(
            bus.address().c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &error);
        ASSERT_TRUE(client) << (error ? error->message : "");
    }
    void TearDown() override
    {
        player.stop();
        if (client) g_object_unref(client);
        UIApplication::sharedApplication().setEventHook(nullptr);
        UIApplication::sharedApplication().resetForTesting();
        RunLoop::main().resetForTesting();
    }

    // Calls a method of the player and returns its reply (null with *error on failure).
    GVariant* call(const char* interface, const char* method, GVariant* args, std::string* error = nullptr)
    {
        GError* e = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(client, MPRISPlayer::kBusName, "/org/mpris/MediaPlayer2",
                                                      interface, method, args, nullptr, G_DBUS_CALL_FLAGS_NONE, 5000,
                                                      nullptr, &e);
        if (e) {
            if (error) *error = e->message;
            g_error_free(e);
        }
        return reply;
    }
    // The player's property, unwrapped; the caller frees it.
    GVariant* property(const char* name)
    {
        GVariant* reply =
            call("org.freedesktop.DBus.Properties", "Get", g_variant_new("(ss)", "org.mpris.MediaPlayer2.Player", name));
        if (!reply) return nullptr;
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        g_variant_unref(reply);
        return value;
    }
    bool startPlayer() { return player.start(bus.address()); }

    PrivateBus bus;
    MPRISPlayer player;
    GDBusConnection* client = nullptr;
    std::vector<UIEventSubtype> received;
};

}  // namespace

TEST_F(MPRISPlayerTest, ControlsArriveAsRemoteControlEventsOnTheMainLoop) {
    ASSERT_TRUE(startPlayer());
    const struct {
        const char* method;
        UIEventSubtype subtype;
    } cases[] = {
        {"PlayPause", UIEventSubtypeRemoteControlTogglePlayPause}, {"Next", UIEventSubtypeRemoteControlNextTrack},
        {"Previous", UIEventSubtypeRemoteControlPreviousTrack},   {"Play", UIEventSubtypeRemoteControlPlay},
        {"Pause", UIEventSubtypeRemoteControlPause},             {"Stop", UIEventSubtypeRemoteControlStop},
    };
    for (const auto& c : cases) {
        received.clear();
        GVariant* reply = call("org.mpris.MediaPlayer2.Player", c.method, nullptr);
        ASSERT_TRUE(reply) << c.method;
        g_variant_unref(reply);
        EXPECT_TRUE(received.empty()) << "nothing runs off the main loop";
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(received, std::vector<UIEventSubtype>{c.subtype}) << c.method;
    }
    // What the player cannot do is refused, not reported as done.
    std::string error;
    EXPECT_FALSE(call("org.mpris.MediaPlayer2.Player", "Seek", g_variant_new("(x)", gint64(1000000)), &error));
    EXPECT_NE(error.find("not supported"), std::string::npos) << error;
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(MPRISPlayerTest, ShowsTheStatusAndTheVerseThatPlays) {
    player.setNowPlaying(MPRISPlayer::Status::Paused, 2, 255, "");  // known before the start
    ASSERT_TRUE(startPlayer());
    GVariant* status = property("PlaybackStatus");
    ASSERT_TRUE(status);
    EXPECT_STREQ(g_variant_get_string(status, nullptr), "Paused");
    g_variant_unref(status);

    player.setNowPlaying(MPRISPlayer::Status::Playing, 18, 10, "Al-Kahf 18:10");
    status = property("PlaybackStatus");
    EXPECT_STREQ(g_variant_get_string(status, nullptr), "Playing");
    g_variant_unref(status);
    GVariant* metadata = property("Metadata");
    ASSERT_TRUE(metadata);
    GVariantDict dict;
    g_variant_dict_init(&dict, metadata);
    const char* title = nullptr;
    const char* track = nullptr;
    gint32 chapter = 0, verse = 0;
    EXPECT_TRUE(g_variant_dict_lookup(&dict, "xesam:title", "&s", &title));
    EXPECT_TRUE(g_variant_dict_lookup(&dict, "mpris:trackid", "&o", &track));
    EXPECT_TRUE(g_variant_dict_lookup(&dict, "lumeno:chapter", "i", &chapter));
    EXPECT_TRUE(g_variant_dict_lookup(&dict, "lumeno:verse", "i", &verse));
    EXPECT_STREQ(title, "Al-Kahf 18:10");
    EXPECT_STREQ(track, "/org/lumeno/verse/18_10");
    EXPECT_EQ(chapter, 18);
    EXPECT_EQ(verse, 10);
    g_variant_dict_clear(&dict);
    g_variant_unref(metadata);
}

TEST_F(MPRISPlayerTest, NoBusMeansNoPlayerAndNoFailure) {
    EXPECT_FALSE(player.start("unix:path=/nonexistent-folder/bus"));
    EXPECT_FALSE(player.isRunning());
    // Without a session bus in the environment nothing is started on demand.
    const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string keep = saved ? saved : "";
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_FALSE(player.start());
    if (saved) setenv("DBUS_SESSION_BUS_ADDRESS", keep.c_str(), 1);
    // A later start on a real bus still works.
    EXPECT_TRUE(startPlayer());
    EXPECT_TRUE(player.isRunning());
}
