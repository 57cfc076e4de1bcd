#include "media_fixtures.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace atb::test {

namespace {

constexpr int32_t Rate = 44100;

void put16(std::string& s, uint32_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& s, uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

std::vector<int16_t> leftChannel(const std::string& rawPath)
{
    std::ifstream in(rawPath, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> left;
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
        auto lo = static_cast<uint8_t>(bytes[i]);
        auto hi = static_cast<uint8_t>(bytes[i + 1]);
        left.push_back(static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8))));
    }
    return left;
}

} // namespace

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "atbasic_media_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

void writeWav(const std::string& path, int32_t frames, const std::function<int16_t(int32_t)>& sample)
{
    auto dataSize = static_cast<uint32_t>(frames) * 2;
    std::string s = "RIFF";
    put32(s, 36 + dataSize);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1); // PCM
    put16(s, 1); // mono
    put32(s, Rate);
    put32(s, Rate * 2);
    put16(s, 2);
    put16(s, 16);
    s += "data";
    put32(s, dataSize);
    for (int32_t i = 0; i < frames; ++i) put16(s, static_cast<uint16_t>(sample(i)));
    writeBytes(path, s);
}

void writeTone(const std::string& path, double seconds, double hz, int16_t peak)
{
    writeWav(path, static_cast<int32_t>(seconds * Rate), [=](int32_t i) {
        return static_cast<int16_t>(std::lround(peak * std::sin(2 * M_PI * hz * i / Rate)));
    });
}

void writeVideo(const std::string& path, int32_t frames)
{
    std::string s = "YUV4MPEG2 W16 H16 F10:1 Ip A1:1 C420jpeg\n";
    for (int32_t f = 0; f < frames; ++f) {
        s += "FRAME\n";
        s += std::string(16 * 16, static_cast<char>(16 + f * 8 % 200));
        s += std::string(2 * 8 * 8, static_cast<char>(128));
    }
    writeBytes(path, s);
}

std::vector<double> windowRms(const std::string& rawPath, int32_t ms)
{
    std::vector<int16_t> left = leftChannel(rawPath);
    size_t size = static_cast<size_t>(Rate * ms / 1000);
    std::vector<double> out;
    for (size_t start = 0; start + size <= left.size(); start += size) {
        double sum = 0;
        for (size_t i = start; i < start + size; ++i) sum += double(left[i]) * left[i];
        out.push_back(std::sqrt(sum / double(size)));
    }
    return out;
}

double crossingsPerSecond(const std::string& rawPath, int64_t fromFrame, int64_t toFrame)
{
    std::vector<int16_t> left = leftChannel(rawPath);
    if (toFrame > static_cast<int64_t>(left.size())) toFrame = static_cast<int64_t>(left.size());
    int64_t changes = 0;
    for (int64_t i = fromFrame + 1; i < toFrame; ++i)
        if ((left[size_t(i - 1)] < 0) != (left[size_t(i)] < 0)) ++changes;
    return toFrame > fromFrame ? double(changes) * Rate / double(toFrame - fromFrame) : 0;
}

} // namespace atb::test
