# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

"""Works the running program as a blind user does under Orca: with keys on
the X server, and by listening to what Orca says, which Orca's debug log
(the file named by the first argument) records as SPEECH OUTPUT. It tabs
through the lists, changes Tear Off with the arrow keys, opens the features
window and has Orca read it, asks Apply Settings and answers OK, and quits.

Run by test-orca.sh once Orca has said it is on and the program is starting.
Every step waits for what Orca says within a generous bound; nothing sleeps a
fixed time. Exits non-zero on the first thing Orca did not say, with what it
said instead.
"""

import re
import subprocess
import sys
import time

from programtexts import BOX_TITLE, DISABLED, EXIT_QUESTION, LISTS, MAIN, PRINTER_READY

FEATURES_FIRST = "1.  24 pin 136 column Dot Matrix Printer with speed 400 CPS at Draft 10 CPI."
FEATURES_LAST = "6.  Windows printer configuration utility to configure the printer permanent settings."

# The lists that Tab reaches, in its order, with their choices at start: the
# disabled ones and the hidden one are no tab stops.
TAB_STOPS = [(label, choice) for label, choice in LISTS if label not in DISABLED]

STARTED = time.monotonic()
# A log entry starts with its time; the lines of a long one that follow are
# indented by the width of that time.
ENTRY = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - ")
INDENT = " " * len("00:00:00.000000 - ")
SPOKEN = re.compile(r"^SPEECH OUTPUT: '(.*)'(?:\{.*\}|\[.*\]|None)\s*$", re.DOTALL)


def say(text):
    print(f"[{time.monotonic() - STARTED:5.1f}s] {text}", flush=True)


class Orca:
    """What Orca has said so far, read from its log as it grows."""

    def __init__(self, path):
        self.log = open(path, encoding="utf-8", errors="replace")
        self.pending = ""  # a line not ended yet
        self.entry = None  # the lines of the entry being read
        self.spoken = []
        self.heard = 0  # what the checks have gone past

    def _take(self, entry):
        found = SPOKEN.match("\n".join(entry))
        if found:
            self.spoken.append(found.group(1).strip())

    def read(self):
        self.pending += self.log.read()
        *lines, self.pending = self.pending.split("\n")
        for line in lines:
            if ENTRY.match(line):
                if self.entry:
                    self._take(self.entry)
                self.entry = [ENTRY.sub("", line)]
            elif self.entry is not None:
                self.entry.append(line[len(INDENT):] if line.startswith(INDENT) else line.strip())

    def expect(self, *said, timeout=90):
        """Waits until Orca has said each of these, in this order, after what
        was heard before; a text matches an utterance without its closing
        full stop, a function one for which it is true."""
        deadline = time.monotonic() + timeout
        wanted = list(said)
        while wanted:
            self.read()
            while wanted and self.heard < len(self.spoken):
                utterance = self.spoken[self.heard]
                self.heard += 1
                if matches(wanted[0], utterance):
                    wanted.pop(0)
            if wanted and time.monotonic() > deadline:
                recent = "\n  ".join(repr(u) for u in self.spoken[-25:])
                say(f"FAIL: Orca did not say {wanted[0]!r} within {timeout} s; "
                    f"its last words:\n  {recent}")
                sys.exit(1)
            if wanted:
                time.sleep(0.05)
        say("Orca said: " + " | ".join(s.splitlines()[0] + (" ..." if "\n" in s else "")
                                       if isinstance(s, str) else "..." for s in said))


def matches(wanted, utterance):
    if callable(wanted):
        return wanted(utterance)
    return utterance == wanted or utterance.rstrip(".") == wanted.rstrip(".")


def key(*names):
    subprocess.run(["xdotool", "key", *names], check=True)


def chord(modifier, letter):
    """A modifier held while a letter is pressed and released, as people
    type it: the letter's release comes with the modifier still down."""
    subprocess.run(["xdotool", "keydown", modifier, "key", letter, "keyup", modifier], check=True)


def main():
    orca = Orca(sys.argv[1])

    # The window comes up with the first list focused; Tab goes through the
    # others and back to the first. Each is read with its label and choice.
    orca.expect(f"{TAB_STOPS[0][0]} combo box", TAB_STOPS[0][1])
    for label, choice in TAB_STOPS[1:] + TAB_STOPS[:1]:
        key("Tab")
        orca.expect(f"{label} combo box", choice)

    # Alt+T goes to Tear Off; Down changes its choice, which Orca says at
    # once, and again when the list is read on coming back to it.
    chord("alt", "t")
    orca.expect("Tear Off combo box", "Short Auto")
    key("Down")
    orca.expect("Short Manual")
    key("Tab")
    orca.expect("Page Length combo box", "12 Inch")
    key("shift+Tab")
    orca.expect("Tear Off combo box", "Short Manual")

    # Show Features: Orca announces the window by its title and heading; its
    # flat review reads it all (the keypad's plus, twice), the text and both
    # buttons. Close brings the main window back, with the focus on the list
    # left (Orca may or may not say the window's title first: it can miss
    # an activation that follows the release of a key).
    chord("ctrl", "s")
    orca.expect(MAIN, "Altrune TR 7400 Features")
    key("KP_Add", "KP_Add")
    orca.expect(lambda u: u.startswith(FEATURES_FIRST) and FEATURES_LAST in u,
                "Print Features", "Close")
    chord("ctrl", "c")
    orca.expect("Tear Off combo box", "Short Manual")

    # Apply Settings asks first, and Orca reads the question and the button
    # that has the focus. OK sends the settings; the focus is back on the
    # list once the program answers again, after the pause. (The banner,
    # shown and hidden in that time, may then be read or not.)
    chord("ctrl", "a")
    orca.expect(f"alert {BOX_TITLE}", PRINTER_READY, "OK push button")
    key("Return")
    orca.expect("Tear Off combo box", "Short Manual")

    # Exit asks, and Yes quits.
    chord("ctrl", "x")
    orca.expect(f"alert {BOX_TITLE}", EXIT_QUESTION, "Yes push button")
    key("Return")
    say("PASS")


if __name__ == "__main__":
    main()
