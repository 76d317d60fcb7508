#pragma once
// ecusim as a child process: started with arguments, its first output line (the slave path
// of its pseudo-terminal) read, and stopped by a signal. Only with the tool in the build.
#ifdef RIZAZOVOZ_ECUSIM_PATH
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace rizazovoz {

inline constexpr std::chrono::seconds kPatience{10};

// Starts ecusim with the arguments and reads the slave path it prints.
class EcusimProcess {
 public:
  // startedIgnoringSigint: as a shell starts a job in the background.
  explicit EcusimProcess(std::vector<std::string> args, bool startedIgnoringSigint = false) {
    args.insert(args.begin(), RIZAZOVOZ_ECUSIM_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto previous = signal(SIGINT, startedIgnoringSigint ? SIG_IGN : SIG_DFL);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    signal(SIGINT, previous);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    stdout_ = out[0];
  }
  ~EcusimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) close(stdout_);
  }

  // The first line of its output, or "" when none came in time.
  std::string FirstLine() {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd fd{stdout_, POLLIN, 0};
      if (poll(&fd, 1, 100) <= 0) continue;
      char c = 0;
      if (read(stdout_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    return "";
  }

  // Sends the signal and returns the exit status (-1 when it did not exit in time).
  int Stop(int signalNumber) {
    kill(pid_, signalNumber);
    return ExitStatus();
  }

  // Waits for the process to end; its exit status (-1 when it did not end in time).
  int ExitStatus() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      pollfd none{-1, 0, 0};
      poll(&none, 0, 10);  // a short pause between looks at the child
    }
    return -1;
  }

  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
};

}  // namespace rizazovoz
#endif
