/* bench-pty COLS ROWS COL ROW PROGRAM [ARG...]: runs PROGRAM on a fresh
   pseudo-terminal of COLS x ROWS, clicks the cell COL,ROW (1-based; an SGR
   press and release) as soon as PROGRAM turns on mouse reporting (its page
   is on the terminal then), reads and drops everything it writes, and ends
   with PROGRAM's exit status. Timed, it is a page from start to the click
   that ends it; with a program that shows no page it is what the terminal
   alone costs. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

static const char kMouseOn[] = "\x1b[?1000h";
enum { kMouseOnSize = sizeof kMouseOn - 1 };

static void Fail(const char* what) {
  perror(what);
  exit(125);
}

int main(int argc, char** argv) {
  if (argc < 6) {
    fprintf(stderr, "usage: bench-pty COLS ROWS COL ROW PROGRAM [ARG...]\n");
    return 125;
  }
  struct winsize size = {0};
  size.ws_col = (unsigned short)atoi(argv[1]);
  size.ws_row = (unsigned short)atoi(argv[2]);
  char press[64];
  const int press_size = snprintf(press, sizeof press, "\x1b[<0;%d;%dM\x1b[<0;%d;%dm",
                                  atoi(argv[3]), atoi(argv[4]), atoi(argv[3]), atoi(argv[4]));
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) Fail("posix_openpt");
  int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
  if (terminal < 0) Fail("open pty");
  if (ioctl(terminal, TIOCSWINSZ, &size) != 0) Fail("TIOCSWINSZ");
  pid_t child = fork();
  if (child < 0) Fail("fork");
  if (child == 0) {
    if (setsid() < 0 || ioctl(terminal, TIOCSCTTY, 0) != 0) Fail("controlling terminal");
    for (int fd = 0; fd < 3; ++fd) {
      if (dup2(terminal, fd) < 0) Fail("dup2");
    }
    if (terminal > 2) close(terminal);
    execvp(argv[5], argv + 5);
    Fail(argv[5]);
  }
  close(terminal);
  /* Read to the end, so that the program never waits on a full terminal;
     EIO once its last descriptor of the terminal is closed. The sequence
     looked for may straddle two reads: the tail of the last one is kept. */
  char buffer[kMouseOnSize + 65536];
  size_t kept = 0;
  int pressed = 0;
  for (;;) {
    ssize_t got = read(master, buffer + kept, sizeof buffer - kept);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    size_t have = kept + (size_t)got;
    if (!pressed && memmem(buffer, have, kMouseOn, kMouseOnSize) != NULL) {
      if (write(master, press, (size_t)press_size) != press_size) Fail("write press");
      pressed = 1;
    }
    kept = have < kMouseOnSize ? have : kMouseOnSize;
    memmove(buffer, buffer + have - kept, kept);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) Fail("waitpid");
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
