#include "platform/services/MPRISPlayer.h"

#include <gio/gio.h>

#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"

namespace {

constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

constexpr const char* kIntrospection = R"(<node>
  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg name="Offset" type="x" direction="in"/></method>
    <method name="SetPosition">
      <arg name="TrackId" type="o" direction="in"/><arg name="Position" type="x" direction="in"/>
    </method>
    <method name="OpenUri"><arg name="Uri" type="s" direction="in"/></method>
    <signal name="Seeked"><arg name="Position" type="x"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="Rate" type="d" access="read"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="read"/>
    <property name="Position" type="x" access="read"/>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read"/>
  </interface>
</node>)";

using NowPlaying = MPRISPlayer::NowPlaying;

const char* statusName(MPRISPlayer::Status s)
{
    switch (s) {
    case MPRISPlayer::Status::Playing: return "Playing";
    case MPRISPlayer::Status::Paused: return "Paused";
    default: return "Stopped";
    }
}

GVariant* metadataOf(const NowPlaying& now)
{
    GVariantBuilder b;
    g_variant_builder_init(&b, G_VARIANT_TYPE("a{sv}"));
    if (now.chapter > 0) {
        const std::string chapter = std::to_string(now.chapter), verse = std::to_string(now.verse);
        const std::string track = "/org/lumeno/verse/" + chapter + "_" + verse;
        g_variant_builder_add(&b, "{sv}", "mpris:trackid", g_variant_new_object_path(track.c_str()));
        const std::string title = now.title.empty() ? chapter + ":" + verse : now.title;
        g_variant_builder_add(&b, "{sv}", "xesam:title", g_variant_new_string(title.c_str()));
        g_variant_builder_add(&b, "{sv}", "xesam:album", g_variant_new_string(chapter.c_str()));
        g_variant_builder_add(&b, "{sv}", "xesam:trackNumber", g_variant_new_int32(now.verse));
        g_variant_builder_add(&b, "{sv}", "lumeno:chapter", g_variant_new_int32(now.chapter));
        g_variant_builder_add(&b, "{sv}", "lumeno:verse", g_variant_new_int32(now.verse));
    } else {
        g_variant_builder_add(&b, "{sv}", "mpris:trackid",
                              g_variant_new_object_path("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    }
    return g_variant_builder_end(&b);
}

// The remote-control event a method of the player stands for; None for the others.
UIEventSubtype subtypeOf(const char* method)
{
    const std::string m = method;
    if (m == "PlayPause") return UIEventSubtypeRemoteControlTogglePlayPause;
    if (m == "Play") return UIEventSubtypeRemoteControlPlay;
    if (m == "Pause") return UIEventSubtypeRemoteControlPause;
    if (m == "Stop") return UIEventSubtypeRemoteControlStop;
    if (m == "Next") return UIEventSubtypeRemoteControlNextTrack;
    if (m == "Previous") return UIEventSubtypeRemoteControlPreviousTrack;
    return UIEventSubtypeNone;
}

// True when the connection now owns the name.
bool requestName(GDBusConnection* connection, const std::string& name, GError** error)
{
    constexpr guint32 kDoNotQueue = 4, kPrimaryOwner = 1, kAlreadyOwner = 4;
    if (*error) g_clear_error(error);
    GVariant* reply = g_dbus_connection_call_sync(connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                  "org.freedesktop.DBus", "RequestName",
                                                  g_variant_new("(su)", name.c_str(), kDoNotQueue),
                                                  G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, error);
    if (!reply) return false;
    guint32 result = 0;
    g_variant_get(reply, "(u)", &result);
    g_variant_unref(reply);
    return result == kPrimaryOwner || result == kAlreadyOwner;
}

}  // namespace

// What plays now: written on the main thread, read by the bus thread.
struct MPRISPlayer::State {
    mutable std::mutex lock;
    NowPlaying now;
};

// Lives from start to stop.
struct MPRISPlayer::Service {
    GMainContext* context = nullptr;
    GMainLoop* loop = nullptr;
    GDBusConnection* connection = nullptr;
    GDBusNodeInfo* node = nullptr;
    guint rootId = 0, playerId = 0;
    std::thread thread;
    std::shared_ptr<State> state;

    ~Service()
    {
        // Quit from inside the loop: a quit sent before the thread has begun to run it is lost.
        if (loop && thread.joinable())
            g_main_context_invoke(context, [](gpointer l) {
                g_main_loop_quit(static_cast<GMainLoop*>(l));
                return G_SOURCE_REMOVE;
            }, loop);
        if (thread.joinable()) thread.join();
        if (connection) {
            if (rootId) g_dbus_connection_unregister_object(connection, rootId);
            if (playerId) g_dbus_connection_unregister_object(connection, playerId);
            g_dbus_connection_close_sync(connection, nullptr, nullptr);
            g_object_unref(connection);
        }
        if (node) g_dbus_node_info_unref(node);
        if (loop) g_main_loop_unref(loop);
        if (context) {
            // Let pending callbacks of the closed connection run and free their data.
            while (g_main_context_iteration(context, false)) {
            }
            g_main_context_unref(context);
        }
    }

    static void methodCall(GDBusConnection*, const char*, const char*, const char* interface, const char* method,
                           GVariant*, GDBusMethodInvocation* invocation, gpointer)
    {
        const UIEventSubtype subtype = std::string(interface) == kPlayerInterface ? subtypeOf(method) : UIEventSubtypeNone;
        if (subtype != UIEventSubtypeNone) {
            RunLoop::main().post([subtype] { UIApplication::sharedApplication().handleRemoteControl(subtype); });
            g_dbus_method_invocation_return_value(invocation, nullptr);
        } else if (std::string(method) == "Raise" || std::string(method) == "Quit") {
            // The window is raised by the desktop itself, and quitting is the user's to do.
            g_dbus_method_invocation_return_value(invocation, nullptr);
        } else {
            g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_NOT_SUPPORTED,
                                                  "%s is not supported", method);
        }
    }

    static GVariant* getProperty(GDBusConnection*, const char*, const char*, const char* interface,
                                 const char* property, GError** error, gpointer data)
    {
        auto* self = static_cast<Service*>(data);
        const std::string p = property;
        if (std::string(interface) == kRootInterface) {
            if (p == "Identity") return g_variant_new_string("Lumeno");
            if (p == "DesktopEntry") return g_variant_new_string("lumeno");
            if (p == "SupportedUriSchemes" || p == "SupportedMimeTypes") return g_variant_new_strv(nullptr, 0);
            return g_variant_new_boolean(false);  // CanQuit, CanRaise, HasTrackList
        }
        NowPlaying now;
        {
            std::lock_guard<std::mutex> hold(self->state->lock);
            now = self->state->now;
        }
        if (p == "PlaybackStatus") return g_variant_new_string(statusName(now.status));
        if (p == "Metadata") return metadataOf(now);
        if (p == "Rate" || p == "Volume" || p == "MinimumRate" || p == "MaximumRate") return g_variant_new_double(1);
        if (p == "Position") return g_variant_new_int64(0);
        if (p == "CanSeek") return g_variant_new_boolean(false);
        if (p == "CanGoNext" || p == "CanGoPrevious") return g_variant_new_boolean(now.status != Status::Stopped);
        if (p == "CanPlay" || p == "CanPause" || p == "CanControl") return g_variant_new_boolean(true);
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "no property %s", property);
        return nullptr;
    }

    void announce(const NowPlaying& now)
    {
        GVariantBuilder changed;
        g_variant_builder_init(&changed, G_VARIANT_TYPE("a{sv}"));
        g_variant_builder_add(&changed, "{sv}", "PlaybackStatus", g_variant_new_string(statusName(now.status)));
        g_variant_builder_add(&changed, "{sv}", "Metadata", metadataOf(now));
        g_dbus_connection_emit_signal(connection, nullptr, kObjectPath, "org.freedesktop.DBus.Properties",
                                      "PropertiesChanged",
                                      g_variant_new("(sa{sv}as)", kPlayerInterface, &changed, nullptr), nullptr);
    }
};

MPRISPlayer& MPRISPlayer::shared()
{
    static MPRISPlayer player;
    return player;
}

MPRISPlayer::MPRISPlayer() : state_(std::make_shared<State>()) {}
MPRISPlayer::~MPRISPlayer() = default;

bool MPRISPlayer::isRunning() const { return service_ != nullptr; }

bool MPRISPlayer::start(const std::string& address)
{
    if (service_) return true;
    std::string busAddress = address;
    if (busAddress.empty()) {
        // Only a bus the session names; never one started on demand.
        const char* env = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        if (!env || !*env) return false;
        busAddress = env;
    }
    auto service = std::make_unique<Service>();
    service->state = state_;
    service->context = g_main_context_new();
    // Calls and name events are dispatched on the service's own context, run by its thread.
    g_main_context_push_thread_default(service->context);
    GError* error = nullptr;
    service->connection = g_dbus_connection_new_for_address_sync(
        busAddress.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    bool ok = service->connection != nullptr;
    if (ok) {
        service->node = g_dbus_node_info_new_for_xml(kIntrospection, &error);
        static const GDBusInterfaceVTable vtable = {&Service::methodCall, &Service::getProperty, nullptr, {}};
        ok = service->node != nullptr;
        for (int i = 0; ok && i < 2; ++i) {
            guint id = g_dbus_connection_register_object(service->connection, kObjectPath,
                                                         service->node->interfaces[i], &vtable, service.get(),
                                                         nullptr, &error);
            (i == 0 ? service->rootId : service->playerId) = id;
            ok = id != 0;
        }
    }
    // The name is asked for at once, so a start that returns true is seen by the desktop; a second
    // copy of the program takes a name of its own instance.
    if (ok) ok = requestName(service->connection, kBusName, &error) ||
                 requestName(service->connection, std::string(kBusName) + ".instance" + std::to_string(getpid()), &error);
    g_main_context_pop_thread_default(service->context);
    if (!ok) {
        NSLog("media controls: no session bus (%@)", std::string(error ? error->message : "unknown error"));
        if (error) g_error_free(error);
        return false;
    }
    service->loop = g_main_loop_new(service->context, false);
    Service* s = service.get();
    service->thread = std::thread([s] {
        g_main_context_push_thread_default(s->context);
        g_main_loop_run(s->loop);
        g_main_context_pop_thread_default(s->context);
    });
    service_ = std::move(service);
    return true;
}

void MPRISPlayer::stop() { service_.reset(); }

void MPRISPlayer::setNowPlaying(Status status, int chapter, int verse, const std::string& title)
{
    const NowPlaying now{status, chapter, verse, title};
    {
        std::lock_guard<std::mutex> hold(state_->lock);
        state_->now = now;
    }
    if (service_) service_->announce(now);
}

MPRISPlayer::NowPlaying MPRISPlayer::nowPlaying() const
{
    std::lock_guard<std::mutex> hold(state_->lock);
    return state_->now;
}
