"""Nautilus's menu entry against a stand-in of the Nautilus and GObject modules: which items it
offers for one folder, a background, files or several folders, and the exact command it runs.

Usage: python3 nautilus_extension_test.py EXTENSION.py
"""
import importlib.util
import sys
import types
import unittest

EXTENSION = sys.argv.pop(1)


class StandInMenuItem:
    def __init__(self, **properties):
        self.properties = properties
        self.handlers = []

    def connect(self, signal, handler, *data):
        self.handlers.append((signal, handler, data))

    def activate(self):
        for signal, handler, data in self.handlers:
            if signal == "activate":
                handler(self, *data)


class StandInItem:
    """A Nautilus.FileInfo: a folder or a file, at a local path or (path None) a remote one."""

    def __init__(self, path, directory=True):
        self.path = path
        self.directory = directory

    def is_directory(self):
        return self.directory

    def get_location(self):
        return types.SimpleNamespace(get_path=lambda: self.path)


def load_extension(required):
    gi = types.ModuleType("gi")
    gi.require_version = lambda name, version: required.append((name, version))
    repository = types.ModuleType("gi.repository")
    repository.GObject = types.SimpleNamespace(GObject=type("GObject", (), {}))
    repository.Nautilus = types.SimpleNamespace(MenuProvider=type("MenuProvider", (), {}),
                                                MenuItem=StandInMenuItem)
    gi.repository = repository
    sys.modules.update({"gi": gi, "gi.repository": repository})
    module_spec = importlib.util.spec_from_file_location("qomdex_extension", EXTENSION)
    module = importlib.util.module_from_spec(module_spec)
    module_spec.loader.exec_module(module)
    return module


ODD = "/home/u/My \"Best\" 'Album' $HOME"
FOLDER = StandInItem("/home/u/Music")

# name, the call, what it is given, the command each offered item runs when chosen
CASES = [
    ("one folder", "get_file_items", [FOLDER], [["qomdex", "--", "/home/u/Music"]]),
    ("spaces and quotes", "get_file_items", [StandInItem(ODD)], [["qomdex", "--", ODD]]),
    ("a dash first", "get_file_items", [StandInItem("-r")], [["qomdex", "--", "-r"]]),
    ("background", "get_background_items", FOLDER, [["qomdex", "--", "/home/u/Music"]]),
    ("one file", "get_file_items", [StandInItem("/home/u/a.mp3", directory=False)], []),
    ("two folders", "get_file_items", [FOLDER, StandInItem("/home/u/Films")], []),
    ("nothing", "get_file_items", [], []),
    ("remote folder", "get_file_items", [StandInItem(None)], []),
    ("remote background", "get_background_items", StandInItem(None), []),
]


class NautilusExtensionTest(unittest.TestCase):
    def test_offers_and_runs(self):
        required = []
        module = load_extension(required)
        self.assertEqual(required, [("Nautilus", "4.0")])
        runs = []
        module.subprocess = types.SimpleNamespace(
            Popen=lambda args, **options: runs.append((args, options)))
        provider = module.QomdexMenuProvider()
        for name, call, given, commands in CASES:
            with self.subTest(name):
                runs.clear()
                items = getattr(provider, call)(given)
                self.assertEqual(len(items), len(commands))
                for item in items:
                    self.assertEqual(item.properties["label"], "Remove leading numbers...")
                    item.activate()
                self.assertEqual([args for args, _ in runs], commands)
                # The window is no child of Nautilus's: it has a session of its own.
                self.assertTrue(all(options == {"start_new_session": True} for _, options in runs))


if __name__ == "__main__":
    unittest.main()
