"""Checks the file managers' menu entries and the desktop entry as installed under ROOT (an
unpacked package, or a `cmake --install` prefix's parent): each parses as a key file, offers
"Remove leading numbers..." on folders (and where the format has one, on a folder's
background), and runs qomdex on the folder and nothing else. Exits 1 naming every fault.

Usage: python3 check_menu_entries.py ROOT
"""
import pathlib
import sys

LABEL = "Remove leading numbers..."
share = pathlib.Path(sys.argv[1]) / "usr" / "share"
faults = []


def read_key_file(path):
    """Returns {group: {key: value}}; a line that is neither a group, a key nor a comment, or a
    key given twice in a group, is a fault."""
    groups, group = {}, None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            group = groups.setdefault(line[1:-1], {})
        elif "=" in line and group is not None:
            key, value = line.split("=", 1)
            if key in group:
                faults.append(f"{path}:{number}: {key} given twice")
            group[key] = value
        else:
            faults.append(f"{path}:{number}: not a key file line: {line!r}")
    return groups


def expect(path, groups, group, key, value):
    found = groups.get(group, {}).get(key)
    if found != value:
        faults.append(f"{path}: [{group}] {key} is {found!r}, not {value!r}")


# The desktop entry takes a folder, without claiming to open folders.
entry = share / "applications" / "org.qomdex.Qomdex.desktop"
groups = read_key_file(entry)
expect(entry, groups, "Desktop Entry", "Exec", "qomdex %f")
if "inode/directory" in groups.get("Desktop Entry", {}).get("MimeType", ""):
    faults.append(f"{entry}: claims to open folders")

# Dolphin: a service menu for folders, which Dolphin offers on a folder's background too.
path = share / "kio" / "servicemenus" / "org.qomdex.Qomdex.desktop"
groups = read_key_file(path)
expect(path, groups, "Desktop Entry", "Type", "Service")
expect(path, groups, "Desktop Entry", "MimeType", "inode/directory;")
for action in groups.get("Desktop Entry", {}).get("Actions", "").split(";")[:-1]:
    expect(path, groups, f"Desktop Action {action}", "Name", LABEL)
    expect(path, groups, f"Desktop Action {action}", "Exec", "qomdex %f")

# Nemo: one action on a selected folder, one on the background (%P is the folder shown).
for name, selection, extensions, command in [
    ("folder", "s", "dir;", "qomdex %F"),
    ("background", "none", "any;", "qomdex %P"),
]:
    path = share / "nemo" / "actions" / f"org.qomdex.Qomdex.{name}.nemo_action"
    groups = read_key_file(path)
    for key, value in [("Name", LABEL), ("Selection", selection), ("Extensions", extensions),
                       ("Quote", "double"), ("Exec", command)]:
        expect(path, groups, "Nemo Action", key, value)

# Caja and PCManFM-Qt: an action on one selected folder and on the location's background.
path = share / "file-manager" / "actions" / "org.qomdex.Qomdex.desktop"
groups = read_key_file(path)
for key, value in [("Type", "Action"), ("Name", LABEL), ("TargetContext", "true"),
                   ("TargetLocation", "true")]:
    expect(path, groups, "Desktop Entry", key, value)
profiles = groups.get("Desktop Entry", {}).get("Profiles", "").split(";")[:-1]
if not profiles:
    faults.append(f"{path}: no profile")
for profile in profiles:
    expect(path, groups, f"X-Action-Profile {profile}", "MimeTypes", "inode/directory;")
    expect(path, groups, f"X-Action-Profile {profile}", "SelectionCount", "=1")
    expect(path, groups, f"X-Action-Profile {profile}", "Exec", "qomdex %f")

# Thunar: a Send To entry for folders.
path = share / "Thunar" / "sendto" / "org.qomdex.Qomdex.desktop"
groups = read_key_file(path)
for key, value in [("Name", LABEL), ("MimeType", "inode/directory;"), ("Exec", "qomdex %f")]:
    expect(path, groups, "Desktop Entry", key, value)

# Nautilus: the extension is where nautilus-python looks.
if not (share / "nautilus-python" / "extensions" / "qomdex.py").is_file():
    faults.append("the Nautilus extension is not installed")

for fault in faults:
    print(fault, file=sys.stderr)
sys.exit(1 if faults else 0)
