# Nautilus's right-click menu: "Remove leading numbers..." on one folder, or on a folder's
# background, opens the qomdex window on that folder. Loaded by nautilus-python (API 4).
import subprocess

import gi

gi.require_version("Nautilus", "4.0")
from gi.repository import GObject, Nautilus  # noqa: E402

LABEL = "Remove leading numbers..."
TIP = "Open qomdex on this folder"


def folder_path(item):
    """Returns the local path of a folder item, or None for a file or a remote location."""
    if not item.is_directory():
        return None
    return item.get_location().get_path()


def open_window(_menu_item, path):
    # A session of its own, so the window outlives nothing of Nautilus's; "--" keeps a folder
    # whose name starts with a dash a folder.
    subprocess.Popen(["qomdex", "--", path], start_new_session=True)


def menu_item(name, path):
    item = Nautilus.MenuItem(name=name, label=LABEL, tip=TIP, icon="qomdex")
    item.connect("activate", open_window, path)
    return item


class QomdexMenuProvider(GObject.GObject, Nautilus.MenuProvider):
    def get_file_items(self, files):
        # Several items, or a file, name no one folder to open.
        if len(files) != 1:
            return []
        path = folder_path(files[0])
        return [menu_item("Qomdex::OpenFolder", path)] if path else []

    def get_background_items(self, current_folder):
        path = folder_path(current_folder)
        return [menu_item("Qomdex::OpenBackground", path)] if path else []
