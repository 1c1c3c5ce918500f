#include "tests/support/PrivateDisplay.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vl::test {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(15);

// Runs program with args in a child process; the child keeps keepFd open.
pid_t Spawn(const std::vector<std::string>& args, int keepFd = -1) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    // the child: quiet, and nothing of the parent's but keepFd
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd) close(fd);
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void Stop(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
}

bool Exited(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

} // namespace

PrivateDisplay::~PrivateDisplay() {
    Stop(windowManager_);
    Stop(server_);
    if (!readyFile_.empty()) std::remove(readyFile_.c_str());
}

bool PrivateDisplay::start(int width, int height, std::string& reason) {
    return startServer(width, height, reason) && startWindowManager(reason);
}

bool PrivateDisplay::startServer(int width, int height, std::string& reason) {
    int fds[2];
    if (pipe(fds) != 0) {
        reason = std::string("no pipe: ") + std::strerror(errno);
        return false;
    }
    // Xvfb picks a free display number and writes it to the pipe once it
    // accepts connections
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = Spawn(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"},
        fds[1]);
    close(fds[1]);
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, static_cast<int>(std::chrono::milliseconds(kStartTimeout).count())) > 0 &&
           read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) {
        reason = "Xvfb did not start (is the xvfb package installed?)";
        return false;
    }
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
    return true;
}

bool PrivateDisplay::startWindowManager(std::string& reason) {
    char path[] = "/tmp/vellum-display-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        reason = std::string("no temporary file: ") + std::strerror(errno);
        return false;
    }
    close(fd);
    std::remove(path);
    readyFile_ = path;
    // openbox runs its start-up command once it manages the screen
    windowManager_ = Spawn({"openbox", "--startup", "touch " + readyFile_});
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    struct stat info {};
    while (stat(readyFile_.c_str(), &info) != 0) {
        const bool exited = Exited(windowManager_);
        if (exited || std::chrono::steady_clock::now() > deadline) {
            if (exited)
                windowManager_ = -1;
            else
                Stop(windowManager_);
            reason =
                "openbox did not start on " + display_ + " (is the openbox package installed?)";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace vl::test
