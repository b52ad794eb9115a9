# Sourced by the Wine wrappers: prepares one Wine prefix, one Xvfb display and
# one persistent wineserver under a state folder, once, and exports the
# environment that points Wine at them.
#   wine_env_prepare STATE_DIR [use-own-display]
# A build folder names its programs' architecture in the file wine-arch
# (win32 or win64) beside its state folder; without one it is win32.
# After it, `wine` runs a program of that architecture.

wine_env_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

wine_env_prepare() {
  local state=$1 own_display=${2:-yes}
  wine_env_arch "$(cat "$(dirname "$state")/wine-arch" 2>/dev/null || echo win32)"
  wine_env_check || return 1
  mkdir -p "$state"
  export WINEPREFIX="$state/prefix"
  # Wine's error lines stay on, its notes on what it lacks do not: a program
  # that ends without a word of its own may have ended in one of Wine's errors
  # (CTest shows a test's output only when it fails).
  export WINEDEBUG=${WINEDEBUG:-fixme-all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
  # The lock is held only while preparing: nothing started meanwhile inherits it.
  # Several test processes may start at once: one of them prepares, the others wait.
  exec 9>"$state/lock"
  flock 9
  if [ "$own_display" = yes ] || [ -z "${DISPLAY:-}" ]; then
    own_display=yes
    wine_env_display "$state"
  fi
  wine_env_prefix "$own_display"
  wine_env_server
  flock -u 9
  exec 9>&-
}

# The loader of 64-bit programs: Debian's wine64 keeps it out of PATH. Its
# `wine` starts the 32-bit loader whenever that is installed, and a kernel
# without 32-bit support cannot run that one.
wine_env_loader64() {
  local loader
  for loader in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
    [ -n "$loader" ] && [ -x "$loader" ] && { echo "$loader"; return; }
  done
  echo wine
}

# Chooses the architecture that `wine` (a function from here on) runs.
wine_env_arch() {
  export WINEARCH=$1
  if [ "$1" = win64 ]; then
    export WINELOADER
    WINELOADER=$(wine_env_loader64)
  else
    unset WINELOADER
  fi
}
# Debian's Wine comes without the preloader that keeps the addresses Windows
# programs need free before anything else is mapped. With the address space
# laid out at random, the loader's heap now and then lies where Wine maps the
# shared user data, and the program ends before it starts ("failed to map
# the shared user data", about one 64-bit start in two thousand). Laid out
# the same way every time, it never does; the programs Wine starts inherit it.
wine() {
  command setarch -R "${WINELOADER:-wine}" "$@"
}

# Whether programs of an architecture (default win32) run here natively:
# Wine starts them, quietly, and for win32 HV_EMULATE_32 does not ask for the
# emulated machine. Everything that runs Windows programs asks this.
wine_env_native() {
  [ "${1:-win32}" = win32 ] && [ -n "${HV_EMULATE_32:-}" ] && return 1
  (wine_env_arch "${1:-win32}" && wine --version >/dev/null 2>&1)
}

# Why 32-bit programs run in the emulated machine here, for messages.
wine_env_why_emulated() {
  if [ -n "${HV_EMULATE_32:-}" ]; then echo "HV_EMULATE_32 asks for the emulated machine"
  else echo "this kernel runs no 32-bit programs"; fi
}

# wine_env_runner ARRAY ARCH BUILD_DIR: sets ARRAY to what runs a command
# where programs of ARCH run: nothing natively, else the emulated x86-64
# machine (tools/vm/run.sh, working in BUILD_DIR/vm).
wine_env_runner() {
  local -n wine_env_into=$1
  wine_env_into=()
  wine_env_native "$2" || wine_env_into=("$wine_env_tools/vm/run.sh" "$3/vm")
}

# The 32-bit program and its tests need Wine's 32-bit loader, which needs a
# kernel that runs 32-bit user programs. Say so plainly instead of failing
# later inside the build's test discovery.
wine_env_check() {
  local out
  out=$(wine --version 2>&1) && return 0
  echo "wine-env: Wine cannot start here: $out" >&2
  if printf '%s' "$out" | grep -qi 'exec format error'; then
    echo "wine-env: this machine's kernel does not run 32-bit x86 programs (IA-32" >&2
    echo "wine-env: emulation is off), so 32-bit Wine, Ampliwind and its tests cannot run" >&2
    echo "wine-env: on it directly. tools/test.sh runs them in an emulated machine instead." >&2
  fi
  return 1
}

# An Xvfb of our own, so tests never type into somebody's desktop and
# input-injecting tests of different build folders don't meet.
wine_env_display() {
  local state=$1 pid num
  if [ -f "$state/xvfb.pid" ] && [ -f "$state/xvfb.display" ]; then
    pid=$(cat "$state/xvfb.pid"); num=$(cat "$state/xvfb.display")
    if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$num" ]; then
      export DISPLAY=":$num"; return
    fi
  fi
  rm -f "$state/xvfb.display.tmp"
  setsid Xvfb -displayfd 8 -screen 0 2560x1600x24 -nolisten tcp \
    8>"$state/xvfb.display.tmp" 9>&- >/dev/null 2>&1 < /dev/null &
  echo $! > "$state/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$state/xvfb.display.tmp" ] && break
    sleep 0.1
  done
  num=$(tr -dc 0-9 < "$state/xvfb.display.tmp")
  [ -n "$num" ] || { echo "wine-env: Xvfb did not start" >&2; return 1; }
  echo "$num" > "$state/xvfb.display"
  export DISPLAY=":$num"
}

# A new prefix gets Wine's own fonts where this Wine build looks for them,
# and substitutes for the two faces Wine does not ship.
wine_env_prefix() {
  local virtual_display=$1
  [ -f "$WINEPREFIX/.ampliwind-ready" ] && return
  wine wineboot -i 9>&- >/dev/null 2>&1 || true
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/* "$fonts"/ 2>/dev/null || true
  # All settings in one import: every Wine process started here costs a
  # wineserver start, which an emulated machine takes most of a minute for.
  local settings="$WINEPREFIX/ampliwind-settings.reg"
  wine_env_settings "$virtual_display" > "$settings"
  "$wine_env_tools/wine-fonts.sh" "$fonts" >> "$settings"  # the interface faces' font links
  wine regedit /S "Z:${settings//\//\\}" 9>&- >/dev/null 2>&1 || true
  wineserver -w 9>&- 2>/dev/null || true
  touch "$WINEPREFIX/.ampliwind-ready"
}

# The prefix's settings, as a registry file: substitutes for the two faces
# Wine does not ship; on a virtual display, frames drawn by Wine itself (with
# no window manager there, a managed window would wait 2 s for one when
# destroyed); a crashing program prints a backtrace and ends, instead of
# waiting in the debugger's dialog on a display nobody looks at.
wine_env_settings() {
  local virtual_display=$1 key
  printf 'REGEDIT4\n'
  for key in 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
             'HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements'; do
    printf '\n[%s]\n"Courier New"="Liberation Mono"\n"Microsoft Sans Serif"="Liberation Sans"\n' "$key"
  done
  if [ "$virtual_display" = yes ]; then
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n'
  fi
  printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n'
}

# One persistent wineserver makes each further Wine process start in tens of
# milliseconds. Wine's helper processes start with it and live as long; they
# get no terminal or pipe of ours, or a caller reading our output would wait
# for them forever.
wine_env_server() {
  if wineserver -p 9>&- </dev/null >/dev/null 2>&1; then
    wine cmd /c exit 9>&- </dev/null >/dev/null 2>&1 || true
  fi
}

# The screen's DPI for the programs started from now on in the prepared
# prefix (Wine reads it as a process starts): 96, 120, 144, 192 ...
wine_env_dpi() {
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f 9>&- </dev/null >/dev/null 2>&1
}

# Ends what wine_env_prepare started for STATE_DIR.
wine_env_stop() {
  local state=$1
  WINEPREFIX="$state/prefix" wineserver -k 2>/dev/null || true
  # The server writes the registry as it ends: wait, or a machine that powers
  # off next (the emulated one) keeps a half-written prefix.
  WINEPREFIX="$state/prefix" wineserver -w 2>/dev/null || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
  fi
}
