// Program bytes made fit for a UTF-8 terminal: the controls the console acts
// on pass (a line feed also returns to column 0), other controls and bytes
// that do not convert show as U+FFFD. Text is either UTF-8, passed through,
// or CP932, converted; a character split across writes waits for its rest.
#pragma once

#include <string>
#include <string_view>

namespace atb {

class DisplayText {
public:
    DisplayText();
    ~DisplayText();
    DisplayText(const DisplayText&) = delete;
    DisplayText& operator=(const DisplayText&) = delete;

    // True when the whole text is well-formed UTF-8.
    static bool isUtf8(std::string_view bytes);
    // Chooses the encoding of everything converted from now on.
    void setCp932(bool on);
    // Appends the display form of the bytes to out.
    void convert(std::string_view bytes, std::string& out);

private:
    void byte(unsigned char b, std::string& out);
    void utf8Byte(unsigned char b, std::string& out);
    void cp932Byte(unsigned char b, std::string& out);
    void control(unsigned char b, std::string& out);
    void fromCp932(const char* bytes, size_t n, std::string& out);

    bool cp932_ = false;
    void* converter_;  // iconv_t, kept out of this header
    unsigned char pending_[4] = {};
    size_t pendingLen_ = 0, need_ = 0;
};

} // namespace atb
