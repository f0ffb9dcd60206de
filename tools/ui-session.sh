# shellcheck shell=bash
# Sourced by the scripts that run the window program unattended (screenshots,
# the memory soak): a virtual X display, the controller simulator and `vexor`
# connected to it, all in a temporary folder and all stopped by session_end.
#
#   source tools/ui-session.sh
#   session_begin BUILD_DIR          # sets SESSION_WORK; call session_end on exit
#   session_xvfb [WIDTHxHEIGHT]      # exports DISPLAY
#   session_sim [vexor-sim options]  # the simulator, linked at $SESSION_WORK/port
#   session_vexor [vexor options]    # sets VEXOR_PID and VEXOR_WIN (its main window)
#   session_grab WINDOW FILE.png     # that window's contents as PNG
#   session_windows                  # the program's visible windows
#   session_end

SESSION_BUILD=""
SESSION_WORK=""
XVFB_PID=""
SIM_PID=""
VEXOR_PID=""
VEXOR_WIN=""

session_need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || {
      echo "missing $tool: run tools/install-deps.sh" >&2
      return 1
    }
  done
}

session_begin() {
  SESSION_BUILD="$1"
  local b
  for b in vexor vexor-sim; do
    [ -x "$SESSION_BUILD/bin/$b" ] || {
      echo "missing $SESSION_BUILD/bin/$b: build first" >&2
      return 1
    }
  done
  session_need Xvfb xdotool xwd xwdtopnm pnmcut pnmtopng
  SESSION_WORK="$(mktemp -d)"
}

session_stop() {
  local pid="$1"
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
}

session_end() {
  session_stop "$VEXOR_PID"
  session_stop "$SIM_PID"
  session_stop "$XVFB_PID"
  VEXOR_PID=""
  SIM_PID=""
  XVFB_PID=""
  if [ -n "$SESSION_WORK" ]; then rm -rf "$SESSION_WORK"; fi
  SESSION_WORK=""
}

# Waits up to $1 tenths of a second for the rest of the arguments, a command,
# to succeed.
session_wait() {
  local tenths="$1" _
  shift
  for _ in $(seq "$tenths"); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  "$@"
}

session_file_filled() { [ -s "$1" ]; }

session_sim_ready() { [ -e "$SESSION_WORK/port" ] && [ -s "$SESSION_WORK/sim.out" ]; }

# The main window is the visible one whose title starts with the program's name.
session_window_shown() {
  VEXOR_WIN="$(xdotool search --onlyvisible --pid "$VEXOR_PID" --name '^VEXOR v' 2>/dev/null |
    head -n 1)"
  [ -n "$VEXOR_WIN" ]
}

session_xvfb() {
  local size="${1:-1280x1024}"
  # Xvfb picks a free display number itself and writes it to the given fd.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$SESSION_WORK/display" \
    >"$SESSION_WORK/xvfb.out" 2>&1 &
  XVFB_PID=$!
  session_wait 100 session_file_filled "$SESSION_WORK/display" || {
    echo "Xvfb did not start:" >&2
    cat "$SESSION_WORK/xvfb.out" >&2
    return 1
  }
  DISPLAY=":$(head -n 1 "$SESSION_WORK/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
}

session_sim() {
  "$SESSION_BUILD/bin/vexor-sim" --link "$SESSION_WORK/port" "$@" >"$SESSION_WORK/sim.out" 2>&1 &
  SIM_PID=$!
  session_wait 50 session_sim_ready || {
    echo "the simulator did not start:" >&2
    cat "$SESSION_WORK/sim.out" >&2
    return 1
  }
}

session_vexor() {
  "$SESSION_BUILD/bin/vexor" --no-system-ports --port "$SESSION_WORK/port" \
    --config-dir "$SESSION_WORK/config" --data-dir "$SESSION_WORK/data" "$@" \
    >"$SESSION_WORK/vexor.out" 2>&1 &
  VEXOR_PID=$!
  session_wait 300 session_window_shown || {
    echo "the main window did not appear:" >&2
    cat "$SESSION_WORK/vexor.out" >&2
    return 1
  }
}

session_grab() {
  local window="$1" file="$2"
  # The window's own contents: a grab of the root window comes back black on
  # the virtual display once a second top-level window is shown.
  xwd -id "$window" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$file"
}

# The visible top-level windows of the program, one id a line.
session_windows() {
  xdotool search --onlyvisible --pid "$VEXOR_PID" --name '' 2>/dev/null | sort
}

# The resident size of a process in kB.
session_rss_kb() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

# User plus system time of a process in clock ticks.
session_cpu_ticks() {
  # Fields 14 and 15 counted after the command name, which may hold blanks.
  sed -E 's/^.*\) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}
