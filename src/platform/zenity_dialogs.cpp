#include "platform/zenity_dialogs.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace atb {

std::string ZenityDialogs::findOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t from = 0; from <= dirs.size();) {
        size_t colon = dirs.find(':', from);
        if (colon == std::string::npos) colon = dirs.size();
        std::string dir = dirs.substr(from, colon - from);
        if (dir.empty()) dir.push_back('.');
        std::string full = dir;
        full += '/';
        full += name;
        if (::access(full.c_str(), X_OK) == 0) return full;
        from = colon + 1;
    }
    return {};
}

int runProgram(const std::vector<std::string>& argv, std::string& output)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // The child starts with the signals this process holds back for its own use.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGPIPE}) sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, args[0], &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return -1;
    }
    char buf[4096];
    for (;;) {
        ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n > 0)
            output.append(buf, static_cast<size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ZenityDialogs::chooseProgramFile()
{
    std::string out, filenameArg = "--filename=";
    filenameArg += workingDirectory_;
    int status = runProgram({zenity_, "--file-selection", "--title=ファイルを開く",
                             "--file-filter=BasicFile (*.Bas *.txt) | *.[bB][aA][sS] *.[tT][xX][tT]",
                             filenameArg},
                            out);
    if (status != 0) return {};
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

void ZenityDialogs::messageBox(std::string_view title, std::string_view text)
{
    std::string titleArg = "--title=", textArg = "--text=", out;
    titleArg += title;
    textArg += text;
    runProgram({zenity_, "--info", "--no-markup", titleArg, textArg}, out);
}

} // namespace atb
