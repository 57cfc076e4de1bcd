// Small media files written by the tests themselves, and the measures taken
// on what SDL's disk audio driver wrote.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace atb::test {

// A fresh directory under the system's temporary one, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return dir_ + "/" + name; }

private:
    std::string dir_;
};

// A mono 16-bit RIFF WAVE file at 44100 Hz whose sample i is sample(i).
void writeWav(const std::string& path, int32_t frames, const std::function<int16_t(int32_t)>& sample);
// A sine tone of the given frequency and peak (0 to 32767).
void writeTone(const std::string& path, double seconds, double hz, int16_t peak);
// A YUV4MPEG2 video of 16x16 grey frames at 10 frames a second.
void writeVideo(const std::string& path, int32_t frames);
void writeBytes(const std::string& path, const std::string& bytes);

// RMS of the left channel per window of `ms` milliseconds, read from raw
// signed 16-bit little-endian stereo at 44100 Hz.
std::vector<double> windowRms(const std::string& rawPath, int32_t ms);
// Sign changes of the left channel per second over the frames [from, to).
double crossingsPerSecond(const std::string& rawPath, int64_t fromFrame, int64_t toFrame);

} // namespace atb::test
