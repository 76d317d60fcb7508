// Processor use of rizazovoz-log while it logs the simulated ECU at 40 ms (four channels,
// rows to /dev/null): runs the program for the given seconds (default 30) and prints the
// share of one core its process used.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

int main(int argc, char** argv) {
  const std::string seconds = argc > 1 ? argv[1] : "30";
  std::vector<std::string> args = {RIZAZOVOZ_LOG_PATH, "--simulate", "--interval-ms", "40",
                                   "--duration",       seconds,      "--out",         "/dev/null",
                                   "--quiet"};
  std::vector<char*> argv2;
  for (std::string& arg : args) argv2.push_back(arg.data());
  argv2.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  if (posix_spawn(&pid, argv2[0], nullptr, nullptr, argv2.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv2[0]);
    return 1;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto secondsOf = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  const double cpu = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
  std::printf("rizazovoz-log       --simulate, a row every 40 ms, %s s (exit %d)\n",
              seconds.c_str(), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  std::printf("wall time           %.1f s (connecting included)\n", wall);
  std::printf("processor time      %.3f s\n", cpu);
  std::printf("share of one core   %.2f %%\n", 100.0 * cpu / wall);
  std::printf("peak memory         %ld kB\n", usage.ru_maxrss);
  return 0;
}
