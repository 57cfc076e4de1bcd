// The file-open dialog and the message box as zenity windows, for a
// graphical display. Zenity runs as a child process, never through a shell.
// When zenity cannot reach the display, the fallback dialogs take over.
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

namespace atb {

class ZenityDialogs : public Dialogs {
public:
    ZenityDialogs(std::string zenity, std::string workingDirectory, Dialogs& fallback)
        : zenity_(std::move(zenity)), workingDirectory_(std::move(workingDirectory)), fallback_(fallback)
    {
    }
    std::string chooseProgramFile() override;
    void messageBox(std::string_view title, std::string_view text) override;

    // The full path of an executable found on PATH, or "".
    static std::string findOnPath(const std::string& name);

private:
    // Runs zenity; false when it could not show anything at all.
    bool run(const std::vector<std::string>& args, std::string& output, int& status);
    std::string zenity_;
    std::string workingDirectory_;
    Dialogs& fallback_;
    bool broken_ = false;
};

// Runs a program with the given arguments and gives its exit status (-1 when
// it could not run), its stdout and its stderr.
int runProgram(const std::vector<std::string>& argv, std::string& output, std::string& errors);

} // namespace atb
