#!/usr/bin/env python3
"""Checks `qomdex-cli --recursive` against the plain run it must equal, and times both.

A library of FOLDERS album folders of FILES tracks each is made (Artist/Album/NN Song K.mp3;
titles repeat after 45 tracks, so every album's last tracks take copy names, and every artist
folder holds "01 notes.txt" beside "notes.txt" and a folder "Album 0" beside "1990 - Album 0",
with a cover inside; every tenth artist also has a hidden folder and a link to one of its
albums, neither of which may be entered). One copy is treated by
`qomdex-cli --recursive`, an identical copy by one `qomdex-cli` run that lists every folder the
walk must treat, in the walk's order, as DIRECTORY arguments, so that the copy numbers carry on
the same way. The order is found here, independently of the program: depth-first, by name
ignoring case (the names are ASCII), ties by the exact name, hidden folders and links left out.
Both final trees, and the printed rename lines with their copy numbers, must be equal.

With --folder-pass, both runs treat subfolders instead (--folders), and the walk's order is
each folder after everything below it.

Usage: bench/recursive_compare.py [--folders N] [--files N] [--rounds N] [--folder-pass]
  QOMDEX_CLI  the program (default build/cli/qomdex-cli)
  WORK_DIR    where the libraries are made (default /tmp)
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ALBUMS_PER_ARTIST = 20
TITLES = 45


def make_library(library, folders, files):
    for album in range(folders):
        artist = album // ALBUMS_PER_ARTIST
        artist_dir = os.path.join(library, f"{artist % 100:02d} Artist {artist}")
        album_dir = os.path.join(
            artist_dir, f"{1990 + album % ALBUMS_PER_ARTIST} - Album {album % ALBUMS_PER_ARTIST}")
        os.makedirs(album_dir)
        for track in range(1, files + 1):
            open(os.path.join(album_dir, f"{track:02d} Song {(track - 1) % TITLES}.mp3"), "w").close()
        if album % ALBUMS_PER_ARTIST == 0:
            for name in ("01 notes.txt", "notes.txt"):
                open(os.path.join(artist_dir, name), "w").close()
            # The name the first album's folder cleans to, taken.
            os.makedirs(os.path.join(artist_dir, "Album 0"))
            open(os.path.join(artist_dir, "Album 0", "01 cover.jpg"), "w").close()
            if artist % 10 == 0:
                os.makedirs(os.path.join(artist_dir, ".cache", "01 Hidden"))
                open(os.path.join(artist_dir, ".cache", "01 hidden.mp3"), "w").close()
                os.symlink(os.path.basename(album_dir), os.path.join(artist_dir, "02 Link"))


def walk_order(path, deepest_first):
    """The folders the walk treats, in its order, spelled as it spells them."""
    order = []

    def visit(folder):
        names = [e.name for e in os.scandir(folder)
                 if e.is_dir() and not e.is_symlink() and not e.name.startswith(".")]
        names.sort(key=lambda name: (name.strip().upper(), name))
        if not deepest_first:
            order.append(folder)
        for name in names:
            visit(os.path.join(folder, name))
        if deepest_first:
            order.append(folder)

    visit(path)
    return order


def tree(path):
    return sorted(os.path.relpath(os.path.join(d, n), path)
                  for d, dirs, names in os.walk(path) for n in dirs + names)


def timed(args, out_path):
    with open(out_path, "wb") as out:
        start = time.perf_counter()
        status = subprocess.run(args, stdout=out, stderr=subprocess.PIPE, check=False)
        seconds = time.perf_counter() - start
    if status.returncode != 0:
        sys.exit(f"{args[:3]}... exited {status.returncode}: {status.stderr.decode()[:500]}")
    return seconds


def rename_lines(out_path, root):
    """Each printed rename with the folder whose "FOLDER:" line it follows, below `root`."""
    renames, folder = [], None
    with open(out_path, encoding="utf-8") as out:
        for line in out:
            if " -> " in line:
                renames.append((folder, line))
            else:  # the library's names need no escapes, only quotes when they hold a space
                folder = os.path.relpath(line.rstrip("\n").rstrip(":").strip("'"), root)
    return renames


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--folders", type=int, default=2000)
    parser.add_argument("--files", type=int, default=50)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--folder-pass", action="store_true")
    options = parser.parse_args()
    cli = [os.environ.get("QOMDEX_CLI", os.path.join(ROOT, "build", "cli", "qomdex-cli"))]
    if options.folder_pass:
        cli.append("--folders")
    work = tempfile.mkdtemp(prefix="qomdex-recursive.", dir=os.environ.get("WORK_DIR", "/tmp"))
    try:
        times = {"walk": [], "plain": [], "dry walk": [], "dry plain": []}
        for round_number in range(options.rounds):
            walked, plain = os.path.join(work, "walked"), os.path.join(work, "plain")
            # Each round alternates which copy is made first, and which is treated first.
            made, copied = (walked, plain) if round_number % 2 == 0 else (plain, walked)
            make_library(made, options.folders, options.files)
            shutil.copytree(made, copied, symlinks=True)
            order = walk_order(plain, options.folder_pass)
            # Both copies get their dry run first, so both meet the same kernel caches after.
            times["dry walk"].append(timed(cli + ["--dry-run", "--recursive", walked],
                                           os.path.join(work, "dry.out")))
            times["dry plain"].append(timed(cli + ["--dry-run", "--"] + order,
                                            os.path.join(work, "dry-plain.out")))
            runs = [("walk", cli + ["--recursive", walked]), ("plain", cli + ["--"] + order)]
            for kind, args in runs if round_number % 2 == 0 else reversed(runs):
                times[kind].append(timed(args, os.path.join(work, kind + ".out")))
            walk_lines = rename_lines(os.path.join(work, "walk.out"), walked)
            if tree(walked) != tree(plain):
                sys.exit("the final trees differ")
            if walk_lines != rename_lines(os.path.join(work, "plain.out"), plain):
                sys.exit("the printed renames differ")
            for dry, root in (("dry.out", walked), ("dry-plain.out", plain)):
                if walk_lines != rename_lines(os.path.join(work, dry), root):
                    sys.exit(f"the dry run ({dry}) printed other renames")
            copies = sum(" copy ( " in line.lower() for _, line in walk_lines)
            print(f"round {round_number + 1}: {len(order)} folders, {len(walk_lines)} renames, "
                  f"{copies} copy names: trees and lines equal")
            shutil.rmtree(walked)
            shutil.rmtree(plain)
        for kind, seconds in times.items():
            print(f"{kind:>10}: " + ", ".join(f"{s:.3f} s" for s in seconds)
                  + f"  (median {sorted(seconds)[len(seconds) // 2]:.3f} s)")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
