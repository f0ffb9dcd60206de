#pragma once

// What the program knows about its controller at this moment. Every window
// reads this one answer, so no two parts of the screen can disagree about
// whether the values they show are live.
namespace vexor {

enum class LinkState {
    NotConnected, // no controller found since the start; the search goes on
    Connected,    // a controller answers the live reads
    Lost,         // it answered before and stopped; the search goes on
    OfflineFile,  // a settings file is open for editing; nothing is sent
    Demo          // demonstration mode: made-up values, nothing on the wire
};

// True when the live values shown come from a controller (or the demo) now.
constexpr bool linkLive(LinkState state) {
    return state == LinkState::Connected || state == LinkState::Demo;
}

} // namespace vexor
