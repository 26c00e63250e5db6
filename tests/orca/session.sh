# SPDX-License-Identifier: GPL-3.0-or-later
# What the Orca tests share, sourced by tests/orca/run (the desktop window)
# and tests/orca/run-web (the web edition in Chromium): a private session
# for a screen reader, an X server (Xvfb), a D-Bus session bus and the
# AT-SPI bus, and Orca, headless with no speech server, so that what it
# would say lands in a log; and the means to wait for what Orca says.
# Everything the session keeps goes into a temporary folder, removed at
# the end (ORCA_KEEP=1 keeps it); the processes started end with the test.
#   start_session          the X server, the buses and Orca, ready to hear
#   start NAME COMMAND...  a process that ends with the session, its
#                          output in NAME.log
#   hear PATTERN           waits until Orca says something that matches
#   spoken                 what Orca has said so far, one utterance a line
#   transcript             what Orca has said since round_start
#   fail MESSAGE           ends the test with the transcript

export LC_ALL=C.UTF-8 LANG=C.UTF-8
tmp=$(mktemp -d)
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "${ORCA_KEEP:-}" ] || rm -rf "$tmp"
}
trap cleanup EXIT

# Everything Orca and the buses keep goes into the temporary folder.
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"

fail() { echo "$0: $*" >&2; [ -f "$tmp/speech.log" ] && transcript >&2; exit 1; }

# until_true SECONDS WHAT COMMAND...: polls COMMAND every tenth of a second.
until_true() {
  local deadline=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out waiting for $what"
    sleep 0.1
  done
}

# start NAME COMMAND...: runs COMMAND in the background, its output in
# NAME.log, until the session ends.
start() {
  local name=$1
  shift
  "$@" >"$tmp/$name.log" 2>&1 &
  pids+=($!)
}

# What Orca spoke, one utterance a line.
spoken() { grep -a "SPEECH OUTPUT: '" "$tmp/speech.log" | sed -E "s/^.*SPEECH OUTPUT: '(.*)'( \{.*\}| \[.*\])?$/\1/"; }
transcript() { spoken | tail -n +"$((round_start + 1))"; }
said_since() { spoken | tail -n +"$(($1 + 1))" | grep -Eq -- "$2"; }
# hear PATTERN: waits until Orca has said something matching PATTERN since
# the last mark, and moves the mark past it.
mark=0
round_start=0
hear() {
  until_true 15 "Orca to say /$1/" said_since "$mark" "$1"
  mark=$(spoken | grep -En -- "$1" | tail -1 | cut -d: -f1)
}

start_session() {
  exec 5>"$tmp/display"
  Xvfb -displayfd 5 -nolisten tcp -screen 0 800x600x24 >"$tmp/xvfb.log" 2>&1 &
  pids+=($!)
  until_true 10 "Xvfb" test -s "$tmp/display"
  export DISPLAY=:$(head -1 "$tmp/display")

  exec 6>"$tmp/bus"
  dbus-daemon --session --nofork --print-address=6 >"$tmp/dbus.log" 2>&1 &
  pids+=($!)
  until_true 10 "the session bus" test -s "$tmp/bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$tmp/bus")

  start atspi /usr/libexec/at-spi-bus-launcher --launch-immediately

  # No speech server and no braille: Orca only writes what it would say,
  # into its debug log, which it writes in large blocks, and through its
  # speech logger, which here writes each utterance at once to speech.log.
  mkdir -p "$tmp/orca"
  cat >"$tmp/orca/orca-customizations.py" <<PY
import logging
import orca.settings
orca.settings.speechServerFactory = "none"
orca.settings.speechFactoryModules = []
orca.settings.enableBraille = False
logging.getLogger("speech").addHandler(logging.FileHandler("$tmp/speech.log", encoding="utf-8"))
PY
  orca --user-prefs "$tmp/orca" --debug-file "$tmp/orca.log" >"$tmp/orca.out" 2>&1 &
  pids+=($!)
  until_true 20 "Orca to start" test -s "$tmp/speech.log"
  hear "^Screen reader on"
}
