#include "platform/zenity_dialogs.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
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

int runProgram(const std::vector<std::string>& argv, std::string& output, std::string& errors)
{
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return -1;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
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
    ::close(out[1]);
    ::close(err[1]);
    if (rc != 0) {
        ::close(out[0]);
        ::close(err[0]);
        return -1;
    }
    // Both pipes are drained together, so a child that fills one never stalls.
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&output, &errors};
    for (int open = 2; open > 0;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buf[4096];
            ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& p : fds)
        if (p.fd >= 0) ::close(p.fd);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ZenityDialogs::run(const std::vector<std::string>& args, std::string& output, int& status)
{
    if (broken_) return false;
    std::string errors;
    status = runProgram(args, output, errors);
    // Cancel also exits 1, but only a display that cannot be opened says so.
    if (status < 0 || (status != 0 && output.empty() && errors.find("display") != std::string::npos))
        broken_ = true;
    return !broken_;
}

std::string ZenityDialogs::chooseProgramFile()
{
    std::string out, filenameArg = "--filename=";
    filenameArg += workingDirectory_;
    int status = 0;
    if (!run({zenity_, "--file-selection", "--title=ファイルを開く",
              "--file-filter=BasicFile (*.Bas *.txt) | *.[bB][aA][sS] *.[tT][xX][tT]", filenameArg},
             out, status))
        return fallback_.chooseProgramFile();
    if (status != 0) return {};
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

void ZenityDialogs::messageBox(std::string_view title, std::string_view text)
{
    std::string titleArg = "--title=", textArg = "--text=", out;
    titleArg += title;
    textArg += text;
    int status = 0;
    if (!run({zenity_, "--info", "--no-markup", titleArg, textArg}, out, status)) fallback_.messageBox(title, text);
}

} // namespace atb
