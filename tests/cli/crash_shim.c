/* Preloaded into qomdex-cli by crash_test.sh. Counts the calls that change names on disk and
 * kills the process with SIGKILL at a chosen one, before or after the call takes effect; and
 * can make the file system look like one without the no-replace rename or without hard links,
 * so the fallback paths run for real.
 *   QOMDEX_CRASH_AT=N          the call at which to die (counted from 1); unset: never
 *   QOMDEX_CRASH_AFTER=1       die just after that call instead of just before it
 *   QOMDEX_NO_EXCLUSIVE_RENAME=1  renameat2 with RENAME_NOREPLACE fails with EINVAL
 *   QOMDEX_NO_HARD_LINKS=1     link and linkat fail with EPERM */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static long calls;
static long crash_at = -1;
static int crash_after;
static int no_exclusive_rename;
static int no_hard_links;

static int flag(const char *name) {
  const char *value = getenv(name);
  return value != NULL && value[0] == '1';
}

__attribute__((constructor)) static void set_up(void) {
  const char *at = getenv("QOMDEX_CRASH_AT");
  if (at != NULL) crash_at = atol(at);
  crash_after = flag("QOMDEX_CRASH_AFTER");
  no_exclusive_rename = flag("QOMDEX_NO_EXCLUSIVE_RENAME");
  no_hard_links = flag("QOMDEX_NO_HARD_LINKS");
}

static void before(void) {
  if (++calls == crash_at && !crash_after) raise(SIGKILL);
}

static int after(int result) {
  if (calls == crash_at && crash_after) raise(SIGKILL);
  return result;
}

static void *real(const char *name) { return dlsym(RTLD_NEXT, name); }

int renameat2(int from_dir, const char *from, int to_dir, const char *to, unsigned int flags) {
  before();
  if (no_exclusive_rename && (flags & RENAME_NOREPLACE)) {
    errno = EINVAL;
    return after(-1);
  }
  int (*call)(int, const char *, int, const char *, unsigned int) = real("renameat2");
  return after(call(from_dir, from, to_dir, to, flags));
}

int renameat(int from_dir, const char *from, int to_dir, const char *to) {
  before();
  int (*call)(int, const char *, int, const char *) = real("renameat");
  return after(call(from_dir, from, to_dir, to));
}

int rename(const char *from, const char *to) {
  before();
  int (*call)(const char *, const char *) = real("rename");
  return after(call(from, to));
}

int linkat(int from_dir, const char *from, int to_dir, const char *to, int flags) {
  before();
  if (no_hard_links) {
    errno = EPERM;
    return after(-1);
  }
  int (*call)(int, const char *, int, const char *, int) = real("linkat");
  return after(call(from_dir, from, to_dir, to, flags));
}

int link(const char *from, const char *to) {
  before();
  if (no_hard_links) {
    errno = EPERM;
    return after(-1);
  }
  int (*call)(const char *, const char *) = real("link");
  return after(call(from, to));
}

int unlinkat(int dir, const char *name, int flags) {
  before();
  int (*call)(int, const char *, int) = real("unlinkat");
  return after(call(dir, name, flags));
}

int mkdirat(int dir, const char *name, mode_t mode) {
  before();
  int (*call)(int, const char *, mode_t) = real("mkdirat");
  return after(call(dir, name, mode));
}

/* Only exclusive creates change names: the fallback's placeholder, and the journal itself. */
int openat(int dir, const char *name, int flags, ...) {
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, mode_t);
    va_end(arguments);
  }
  int (*call)(int, const char *, int, ...) = real("openat");
  if ((flags & (O_CREAT | O_EXCL)) != (O_CREAT | O_EXCL)) return call(dir, name, flags, mode);
  before();
  return after(call(dir, name, flags, mode));
}
