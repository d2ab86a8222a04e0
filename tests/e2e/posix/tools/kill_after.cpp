// kill_after MICROSECONDS PROGRAM [ARG...]: runs PROGRAM and sends it SIGKILL
// MICROSECONDS after the start (never, when negative). Says on standard
// error "killed", or "exited CODE MICROSECONDS" when the program ended first,
// with how long it ran; standard output is the program's. A shell's sleep is
// far too coarse to land inside a save.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr long kNanosecondsPerMicrosecond = 1000;
constexpr long kNanosecondsPerSecond = 1000000000;

long MicrosecondsSince(const timespec& start) {
  timespec now = {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - start.tv_sec) * 1000000 +
         (now.tv_nsec - start.tv_nsec) / kNanosecondsPerMicrosecond;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: kill_after MICROSECONDS PROGRAM [ARG...]\n");
    return 2;
  }
  const long delay = std::strtol(argv[1], nullptr, 10);
  timespec start = {};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  if (delay >= 0) {
    timespec deadline = start;
    deadline.tv_nsec += delay % 1000000 * kNanosecondsPerMicrosecond;
    deadline.tv_sec += delay / 1000000 + deadline.tv_nsec / kNanosecondsPerSecond;
    deadline.tv_nsec %= kNanosecondsPerSecond;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
    // A child that has ended already is not yet reaped: the signal goes nowhere.
    kill(child, SIGKILL);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return 2;
  }
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
    std::fprintf(stderr, "killed\n");
  } else if (WIFEXITED(status)) {
    std::fprintf(stderr, "exited %d %ld\n", WEXITSTATUS(status), MicrosecondsSince(start));
  } else {
    std::fprintf(stderr, "signal %d\n", WTERMSIG(status));
  }
  return 0;
}
