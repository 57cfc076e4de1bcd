// The file-open dialog and the message box as zenity windows, for a
// graphical display. Zenity runs as a child process, never through a shell.
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

namespace atb {

class ZenityDialogs : public Dialogs {
public:
    ZenityDialogs(std::string zenity, std::string workingDirectory)
        : zenity_(std::move(zenity)), workingDirectory_(std::move(workingDirectory))
    {
    }
    std::string chooseProgramFile() override;
    void messageBox(std::string_view title, std::string_view text) override;

    // The full path of an executable found on PATH, or "".
    static std::string findOnPath(const std::string& name);

private:
    std::string zenity_;
    std::string workingDirectory_;
};

// Runs a program with the given arguments and gives its exit status (-1 when
// it could not run) and its stdout; its stderr is dropped.
int runProgram(const std::vector<std::string>& argv, std::string& output);

} // namespace atb
