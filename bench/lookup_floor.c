// The least a dry run of a file pass can do: list the directory once, then look on disk, with
// one fstatat, for the cleaned name of every entry whose name starts with a digit, space,
// underscore or dash. No sorting, folding, collision bookkeeping or output. A dry run is
// measured against this as a real pass is against rename_floor.c.
//
// Usage: lookup_floor DIRECTORY
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

static int is_cut(char c) { return c != '\0' && strchr("0123456789 _-", c) != NULL; }

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  DIR* directory = opendir(argv[1]);
  if (directory == NULL) {
    perror(argv[1]);
    return 1;
  }
  char** names = NULL;
  size_t count = 0, capacity = 0;
  for (struct dirent* entry; (entry = readdir(directory)) != NULL;) {
    const char* name = entry->d_name;
    if (!is_cut(name[0])) continue;
    while (is_cut(*name)) ++name;
    if (count == capacity) {
      capacity = capacity ? capacity * 2 : 1024;
      names = realloc(names, capacity * sizeof *names);
      if (names == NULL) return 1;
    }
    names[count++] = strdup(name);
  }
  size_t taken = 0;
  struct stat status;
  for (size_t i = 0; i < count; ++i) {
    if (fstatat(dirfd(directory), names[i], &status, AT_SYMLINK_NOFOLLOW) == 0) ++taken;
  }
  printf("%zu names looked up, %zu taken\n", count, taken);
  return 0;
}
