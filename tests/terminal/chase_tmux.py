#!/usr/bin/env python3
"""The example game under tmux: it starts, draws its field, moves @ with an
arrow key, ends with Esc and leaves a visible cursor.

    chase_tmux.py ATBASIC GAME.bas
"""
import os
import subprocess
import sys
import time

EXE, GAME = sys.argv[1], sys.argv[2]
SOCKET = "atbasic_chase_%d" % os.getpid()


def tmux(*args):
    return subprocess.run(["tmux", "-L", SOCKET, "-f", "/dev/null"] + list(args),
                          capture_output=True, text=True, check=False).stdout


def screen():
    return tmux("capture-pane", "-t", "S", "-p").split("\n")


def wait_for(what, condition, timeout=20.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.05)
    sys.exit("FAIL: %s\n%s" % (what, "\n".join(screen())))


def player_column():
    rows = screen()
    return rows[3].find("@") if len(rows) > 3 else -1


def main():
    try:
        # The shell compares the terminal's settings before and after the game.
        script = ('before=$(stty -g); "$0" "$1"; after=$(stty -g); '
                  '[ "$before" = "$after" ] && echo TERMINAL SANE || echo TERMINAL CHANGED; sleep 60')
        tmux("new-session", "-d", "-s", "S", "-x", "80", "-y", "25", "sh", "-c", script, EXE, GAME)
        wait_for("the field is drawn", lambda: "SCORE" in "\n".join(screen()) and "#" * 52 in screen()[1])
        wait_for("the player at its start", lambda: player_column() == 2)
        cursor = tmux("display", "-p", "-t", "S", "#{cursor_flag}").strip()
        if cursor != "0":
            sys.exit("FAIL: the cursor shows during the game")
        tmux("send-keys", "-t", "S", "Right")
        wait_for("@ moves right", lambda: player_column() > 2)
        time.sleep(0.8)  # the arrow's linger ends before Esc
        tmux("send-keys", "-t", "S", "Escape")
        wait_for("the game ends", lambda: "GAME OVER" in "\n".join(screen()))
        wait_for("the time report", lambda: "Press Return To exit." in "\n".join(screen()))
        tmux("send-keys", "-t", "S", "Enter")
        wait_for("the game's end", lambda: "TERMINAL" in "\n".join(screen()))
        if "TERMINAL SANE" not in "\n".join(screen()):
            sys.exit("FAIL: the terminal's settings changed\n" + "\n".join(screen()))
        if tmux("display", "-p", "-t", "S", "#{cursor_flag}").strip() != "1":
            sys.exit("FAIL: the cursor is left hidden")
        print("chase: started, drew, moved, ended with Esc")
    finally:
        tmux("kill-server")


main()
