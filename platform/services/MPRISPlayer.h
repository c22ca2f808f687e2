#pragma once
// The desktop's media controls: an MPRIS player (org.mpris.MediaPlayer2 and its .Player
// interface) on the session bus. The controls' calls (PlayPause, Next, ...) reach the program as
// the remote-control events that the media keys send; what plays now is shown back as the
// player's status and metadata. The bus is served on a thread of its own; calls cross to the
// main run loop.

#include <memory>
#include <string>

class MPRISPlayer {
public:
    enum class Status { Stopped, Playing, Paused };
    // The bus name the player takes.
    static constexpr const char* kBusName = "org.mpris.MediaPlayer2.lumeno";

    static MPRISPlayer& shared();
    MPRISPlayer();
    ~MPRISPlayer();
    MPRISPlayer(const MPRISPlayer&) = delete;
    MPRISPlayer& operator=(const MPRISPlayer&) = delete;

    // Connects to the bus at `address`, or to the session bus the environment names when it is
    // empty, and serves the player. False (and nothing served) when there is no such bus.
    [[nodiscard]] bool start(const std::string& address = "");
    void stop();
    bool isRunning() const;

    // What the controls show: the status and the verse that plays. Callable any time, also
    // before start; the desktop is told of changes.
    void setNowPlaying(Status status, int chapter, int verse, const std::string& title);

    struct NowPlaying {
        Status status = Status::Stopped;
        int chapter = 0, verse = 0;
        std::string title;
    };
    NowPlaying nowPlaying() const;

private:
    struct State;
    struct Service;
    std::shared_ptr<State> state_;
    std::unique_ptr<Service> service_;
};
