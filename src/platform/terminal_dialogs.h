// The file-open dialog and the message box drawn in the terminal itself, on
// its alternate screen so the console is left as it was.
#pragma once

#include "platform/platform.h"
#include "platform/tty.h"

#include <string>
#include <vector>

namespace atb {

class TerminalDialogs : public Dialogs {
public:
    explicit TerminalDialogs(Tty& tty) : tty_(tty) {}
    // The matching files of the working directory, chosen by number or with
    // the arrow keys, or a path typed in; an empty answer or Esc cancels.
    std::string chooseProgramFile() override;
    void messageBox(std::string_view title, std::string_view text) override;

    // The names in the working directory that end in .bas or .txt, any case, sorted.
    static std::vector<std::string> programFiles();

private:
    enum class Key { None, Up, Down, Enter, Cancel, Erase, Clear, Text };
    Key readKey(std::string& text);
    int readByte(int timeoutMs);
    void drawPicker(const std::vector<std::string>& files, int selected, const std::string& answer);
    Tty& tty_;
};

// Columns a UTF-8 text takes on a terminal (wide East Asian characters take two).
int displayWidth(std::string_view utf8);

} // namespace atb
