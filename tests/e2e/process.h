#pragma once

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

// A child process with its standard output captured (standard error is
// inherited, so it shows in the test log), for tests
// that run the real executables as a user would.
class Process {
public:
    Process(const std::vector<std::string>& argv, const std::string& workingDirectory);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Reads output until it contains text or the timeout passes.
    bool waitForOutput(const std::string& text, double timeoutSeconds);
    // Reads output until done(output) holds, the process ends or the timeout passes.
    bool waitUntil(const std::function<bool(const std::string&)>& done, double timeoutSeconds);
    // Whether the process is still running (reaps it when it has ended).
    bool running();
    // Reads whatever output is there already, without waiting for more.
    void drain();
    // Waits for the exit; returns the exit status, or -1000 - signal when
    // killed by a signal, or -2000 on timeout (the child is then killed).
    int wait(double timeoutSeconds);
    void signal(int sig);

    const std::string& output() const { return output_; }
    pid_t pid() const { return pid_; }

private:
    bool readAvailable(double timeoutSeconds);

    pid_t pid_ = -1;
    int outFd_ = -1;
    bool exited_ = false;
    int status_ = 0;
    std::string output_;
};

// Runs a command to completion and returns its exit status and output.
struct RunResult {
    int status = 0;
    std::string output;
};
RunResult runToCompletion(const std::vector<std::string>& argv, const std::string& workingDirectory,
                          double timeoutSeconds);
