#include "tests/e2e/process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const std::string& workingDirectory) {
    int fds[2];
    if (pipe(fds) != 0) std::abort();
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        if (chdir(workingDirectory.c_str()) != 0) _exit(127);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    outFd_ = fds[0];
}

Process::~Process() {
    if (!exited_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
    }
    if (outFd_ >= 0) close(outFd_);
}

bool Process::readAvailable(double timeoutSeconds) {
    pollfd p{outFd_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(timeoutSeconds * 1000)) <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(outFd_, buffer, sizeof buffer);
    if (n <= 0) return false;
    output_.append(buffer, static_cast<size_t>(n));
    return true;
}

bool Process::waitForOutput(const std::string& text, double timeoutSeconds) {
    return waitUntil([&text](const std::string& output) { return output.find(text) != std::string::npos; },
                     timeoutSeconds);
}

bool Process::waitUntil(const std::function<bool(const std::string&)>& done, double timeoutSeconds) {
    const auto start = std::chrono::steady_clock::now();
    while (!done(output_)) {
        const double left = timeoutSeconds - secondsSince(start);
        if (left <= 0) return false;
        if (!readAvailable(left < 0.1 ? left : 0.1) && !running()) {
            while (readAvailable(0.0)) {
            }
            return done(output_);
        }
    }
    return true;
}

bool Process::running() {
    int status = 0;
    if (!exited_ && waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        status_ = status;
    }
    return !exited_;
}

void Process::drain() {
    while (readAvailable(0.0)) {
    }
}

int Process::wait(double timeoutSeconds) {
    const auto start = std::chrono::steady_clock::now();
    while (!exited_) {
        readAvailable(0.05);
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            status_ = status;
            break;
        }
        if (secondsSince(start) > timeoutSeconds) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status_, 0);
            exited_ = true;
            return -2000;
        }
    }
    while (readAvailable(0.05)) {
    }
    if (WIFEXITED(status_)) return WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) return -1000 - WTERMSIG(status_);
    return -3000;
}

void Process::signal(int sig) {
    if (!exited_) kill(pid_, sig);
}

RunResult runToCompletion(const std::vector<std::string>& argv, const std::string& workingDirectory,
                          double timeoutSeconds) {
    Process process(argv, workingDirectory);
    RunResult result;
    result.status = process.wait(timeoutSeconds);
    result.output = process.output();
    return result;
}
