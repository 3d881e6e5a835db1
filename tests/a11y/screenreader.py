# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

"""Reads and works the running program from outside its process, through the
AT-SPI accessibility bus, as a screen reader does: the lists with their labels
and choices (as Orca reads a choice: from the list's text), the locked lists
that no action opens or changes, the command buttons and their press action,
the printer-ready confirmation that a press of Apply Settings brings up, the
please-wait banner while the settings are applied, the features window, and
Exit.

Run by test-atspi.sh, which starts the buses, then this, and the program once
this has created the file named by its argument: by then the screen reader
listens for events, so the program's bridge knows it from its start and sends
them. Every wait polls for its condition within a generous bound; nothing
sleeps a fixed time. Exits non-zero with the reason on the first thing that is
not as it should be.
"""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

from programtexts import (APP, BANNER, BOX_TITLE, DISABLED, EXIT_QUESTION,  # noqa: E402
                          LISTS, MAIN, PRINTER_READY)

HIDDEN_CHOICE = "256 Bytes"
MAIN_BUTTONS = [("Apply Settings", "Ctrl+A"), ("Restore Default", "Ctrl+D"),
                ("Show Features", "Ctrl+S"), ("Print Features", "Ctrl+P"), ("Exit", "Ctrl+X")]
# In the order of the window's children: Close lies under Print Features.
FEATURES_BUTTONS = [("Close", "Ctrl+C"), ("Print Features", "Ctrl+P")]

STARTED = time.monotonic()
# Events seen, as (role, name, showing) of their source: the banner's
# showing and hiding.
showing_events = []


def say(text):
    print(f"[{time.monotonic() - STARTED:5.1f}s] {text}", flush=True)


def fail(text):
    say(f"FAIL: {text}")
    sys.exit(1)


def pump():
    """Lets events that arrived be delivered to the listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, condition, timeout=60, seen=None):
    """Polls until condition() gives something true, and returns that; seen()
    tells, on failure, what was found instead."""
    deadline = time.monotonic() + timeout
    while True:
        pump()
        try:
            found = condition()
        except (GLib.Error, LookupError, RuntimeError):
            found = None  # an object went while it was being read
        if found:
            return found
        if time.monotonic() > deadline:
            fail(f"no {what} within {timeout} s" + (f"; seen: {seen()}" if seen else ""))
        time.sleep(0.05)


def has(accessible, state):
    return accessible.getState().contains(state)


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def descendants(accessible):
    for child in children(accessible):
        if child is not None:
            yield child
            yield from descendants(child)


def labels_of(accessible):
    return [relation.getTarget(i).name
            for relation in accessible.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def actions_of(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [(action.getName(i), action.getKeyBinding(i)) for i in range(action.nActions)]


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app is not None and app.name == APP:
            return app
    return None


def window(app, name, button_name):
    """The app's window of that name on screen that holds that button: both
    windows carry the same title."""
    for child in children(app):
        if child.name == name and has(child, pyatspi.STATE_SHOWING) and any(
                grandchild.getRole() == pyatspi.ROLE_PUSH_BUTTON and grandchild.name == button_name
                for grandchild in children(child)):
            return child
    return None


def message_boxes(app):
    """The message boxes on screen, each with its text."""
    boxes = []
    for child in children(app):
        if child.getRole() == pyatspi.ROLE_ALERT and has(child, pyatspi.STATE_SHOWING):
            texts = [grandchild.name for grandchild in descendants(child)
                     if grandchild.getRole() == pyatspi.ROLE_LABEL and grandchild.name]
            boxes.append((child, "\n".join(texts).replace("\r\n", "\n")))
    return boxes


def message_box(app, text):
    for box, shown in message_boxes(app):
        if shown == text:
            return box
    return None


def button(parent, name):
    for child in descendants(parent):
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and child.name == name:
            return child
    fail(f"no push button '{name}' in '{parent.name}'")


def press(parent, name):
    """Presses a button through its action, as a screen reader does. The call
    must come back at once, also when the press opens a modal message box."""
    target = button(parent, name)
    started = time.monotonic()
    try:
        if not target.queryAction().doAction(0):
            fail(f"the press of '{name}' was refused")
    except GLib.Error as error:
        fail(f"the press of '{name}' got no answer: {error.message}")
    took = time.monotonic() - started
    say(f"Pressed '{name}' (the call came back after {took * 1000:.0f} ms)")
    if took > 5:
        fail(f"the press of '{name}' held the caller for {took:.1f} s")


def check_buttons(parent, expected):
    found = [child for child in children(parent)
             if child.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    names = [child.name for child in found]
    if names != [name for name, _ in expected]:
        fail(f"the push buttons of '{parent.name}' are {names}")
    for child, (name, keys) in zip(found, expected):
        if actions_of(child) != [("Press", keys)]:
            fail(f"'{name}' offers {actions_of(child)}, not Press with {keys}")
        if has(child, pyatspi.STATE_FOCUSABLE):
            fail(f"'{name}' can take the keyboard focus")
        say(f"  {name}, push button, Press ({keys})")


def check_pictures(parent):
    """Pictures are pictures: nothing a user could act on, and nothing left
    as a bare filler."""
    for child in children(parent):
        role = child.getRole()
        if role == pyatspi.ROLE_FILLER:
            fail(f"a filler '{child.name}' in '{parent.name}'")
        if role == pyatspi.ROLE_IMAGE and actions_of(child):
            fail(f"a picture in '{parent.name}' offers {actions_of(child)}")


def answer(app, text, choice, ends=False):
    """Waits for the message box with that text, checks its title and presses
    choice in it; then waits until it is gone, unless the program ends."""
    box = wait_for(f"message box '{text.splitlines()[0]}'", lambda: message_box(app, text))
    if box.name != BOX_TITLE:
        fail(f"the message box is titled {box.name!r}")
    say(f"Message box '{box.name}': {text.splitlines()[0]} ...")
    press(box, choice)
    if not ends:
        wait_for("end of the message box", lambda: message_box(app, text) is None)


def text_of(accessible):
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, -1)


def check_locked(lists):
    """The disabled lists and the hidden one offer no action and refuse the
    first one asked for anyway; toggling one of their choices or selecting
    its row through the bus changes nothing."""
    for child in lists:
        labels = labels_of(child)
        name = labels[0] if labels else "(the hidden list)"
        before = text_of(child)
        if actions_of(child):
            fail(f"the locked list '{name}' offers {actions_of(child)}")
        try:
            if child.queryAction().doAction(0):
                fail(f"the locked list '{name}' did an action")
        except GLib.Error:
            pass
        choices = child.getChildAtIndex(0)
        for row in range(choices.childCount):
            for index, (action, _) in enumerate(actions_of(choices.getChildAtIndex(row))):
                choices.getChildAtIndex(row).queryAction().doAction(index)
            choices.queryTable().addRowSelection(row)
        pump()
        if has(child, pyatspi.STATE_EXPANDED) or text_of(child) != before:
            fail(f"the locked list '{name}' opened, or changed to {text_of(child)!r}")
        say(f"  {name}: no action, and its choices change nothing ({before})")


def on_showing(event):
    try:
        showing_events.append((event.source.getRole(), event.source.name, event.detail1))
    except (GLib.Error, LookupError, RuntimeError):
        pass


def banner_of(main):
    for child in children(main):
        if child.getRole() == pyatspi.ROLE_NOTIFICATION:
            return child
    fail("no notification (the please-wait banner) in the main window")


def main():
    # The program runs sanitized in one of the builds: allow for slow replies.
    Atspi.set_timeout(10000, 30000)
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    with open(sys.argv[1], "w", encoding="utf-8"):
        pass

    app = wait_for(f"application '{APP}' on the accessibility bus", application)
    main_window = wait_for(f"window '{MAIN}'", lambda: window(app, MAIN, "Apply Settings"))
    say(f"Found '{APP}' and its window '{MAIN}'")

    # The lists, read as a screen reader reads them: label, value, role.
    lists = [child for child in children(main_window) if child.getRole() == pyatspi.ROLE_COMBO_BOX]
    shown = [child for child in lists if has(child, pyatspi.STATE_SHOWING)]
    read = []
    for child in shown:
        labels = labels_of(child)
        if text_of(child) != child.name:
            fail(f"the list '{labels}' has the text {text_of(child)!r}, not its choice")
        read.append((", ".join(labels), text_of(child)))
        enabled = has(child, pyatspi.STATE_ENABLED) and has(child, pyatspi.STATE_SENSITIVE)
        if enabled == (labels[0] in DISABLED):
            fail(f"the list '{labels[0]}' is {'enabled' if enabled else 'unavailable'}")
        unavailable = "" if enabled else ", unavailable"
        say(f"  {', '.join(labels) or '(no label)'}, {text_of(child)}, combo box{unavailable}")
    if read != LISTS:
        fail(f"the lists read {read}")
    hidden = [child for child in lists if child not in shown]
    if len(hidden) != 1 or labels_of(hidden[0]) or text_of(hidden[0]) != HIDDEN_CHOICE:
        fail("the hidden list is missing, has a label or another choice")
    say("The 20 shown lists are named by their labels and read their choice; "
        "the hidden one has no label")
    check_locked([child for child in shown if labels_of(child)[0] in DISABLED] + hidden)

    check_buttons(main_window, MAIN_BUTTONS)
    check_pictures(main_window)
    banner = banner_of(main_window)
    if banner.name != BANNER or has(banner, pyatspi.STATE_SHOWING):
        fail(f"the banner at rest: {banner.name!r}, showing {has(banner, pyatspi.STATE_SHOWING)}")

    # Apply Settings asks first; Cancel sends nothing and shows no banner.
    press(main_window, "Apply Settings")
    answer(app, PRINTER_READY, "Cancel")
    pump()
    if any(role == pyatspi.ROLE_NOTIFICATION for role, _, _ in showing_events):
        fail("the banner came up although Cancel was pressed")

    # With OK the banner comes up. There is no scheduler here, so the
    # download fails, and its message is up while the banner still shows.
    press(main_window, "Apply Settings")
    answer(app, PRINTER_READY, "OK")
    box, text = wait_for("message of the failed download", lambda: message_boxes(app))[0]
    if not has(banner, pyatspi.STATE_SHOWING) or banner.name != BANNER:
        fail("the banner is not on screen behind the failure message")
    wait_for("event of the banner appearing",
             lambda: (pyatspi.ROLE_NOTIFICATION, BANNER, 1) in showing_events, timeout=30,
             seen=lambda: showing_events)
    say(f"Notification '{BANNER}' announced while the settings were applied")
    say(f"Message box '{box.name}': {text.splitlines()[0]} ...")
    press(box, "OK")
    wait_for("end of the failure message", lambda: not message_boxes(app))
    wait_for("banner gone", lambda: not has(banner, pyatspi.STATE_SHOWING))

    # The features window and back.
    press(main_window, "Show Features")
    features = wait_for("features window", lambda: window(app, MAIN, "Close"))
    check_buttons(features, FEATURES_BUTTONS)
    check_pictures(features)
    press(features, "Close")
    wait_for("main window back", lambda: window(app, MAIN, "Apply Settings"))
    say("Show Features and Close work through the bus")

    # Exit, and Yes: the program ends by itself.
    press(main_window, "Exit")
    answer(app, EXIT_QUESTION, "Yes", ends=True)
    say("PASS")


if __name__ == "__main__":
    main()
