// The sound and media libraries write their own log lines to stderr; the
// program's screen must show none of them.
#pragma once

namespace atb {

// Sends ALSA's error lines nowhere (it prints "ALSA lib ..." when there is no
// sound card). Harmless to call more than once.
void silenceAlsa();

// While alive, fd 2 leads to /dev/null, for library calls that print
// directly to stderr while they probe devices. Only for start-up and
// shutdown, when no other thread of ours writes.
class StderrMuffle {
public:
    StderrMuffle();
    ~StderrMuffle();
    StderrMuffle(const StderrMuffle&) = delete;
    StderrMuffle& operator=(const StderrMuffle&) = delete;

private:
    int saved_ = -1;
};

} // namespace atb
