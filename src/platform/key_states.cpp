#include "platform/key_states.h"

namespace atb {

namespace {
constexpr int32_t ScanShift = 42, ScanCtrl = 29, ScanAlt = 56;
}

void KeyStates::clear() { keys_.fill(Key{}); }

void KeyStates::touch(int32_t scan, int64_t nowMs)
{
    Key& k = keys_[static_cast<size_t>(scan)];
    k.repeating = k.seen && nowMs - k.lastMs < (k.repeating ? RepeatLingerMs : FirstLingerMs);
    k.seen = true;
    k.lastMs = nowMs;
}

void KeyStates::apply(const KeyEvent& e, int64_t nowMs)
{
    if (e.scan < 0 || e.scan > 255) return;
    if (e.explicitType) {
        keys_[static_cast<size_t>(e.scan)].held = e.type != KeyEvent::Release;
        return;
    }
    // A terminal repeats only the last key pressed: a new key ends the others.
    for (size_t s = 0; s < keys_.size(); ++s)
        if (static_cast<int32_t>(s) != e.scan) keys_[s].seen = false;
    touch(e.scan, nowMs);
    if (e.mods & KeyEvent::Shift) touch(ScanShift, nowMs);
    if (e.mods & KeyEvent::Ctrl) touch(ScanCtrl, nowMs);
    if (e.mods & KeyEvent::Alt) touch(ScanAlt, nowMs);
}

bool KeyStates::isDown(int32_t scan, int64_t nowMs) const
{
    if (scan < 0 || scan > 255) return false;
    const Key& k = keys_[static_cast<size_t>(scan)];
    if (k.held) return true;
    return k.seen && nowMs - k.lastMs < (k.repeating ? RepeatLingerMs : FirstLingerMs);
}

} // namespace atb
