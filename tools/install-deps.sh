#!/usr/bin/env bash
# Installs what building and testing need, on Debian, when something is missing.
# Elsewhere it only says what to install.
#   tools/install-deps.sh      the builds and Wine
#   tools/install-deps.sh vm   the emulated machine (tools/vm/run.sh)
set -euo pipefail

# Both builds: the 32-bit product and its 64-bit twin, and Wine for each;
# clang, lld and the analysers for tools/checks.sh (libFuzzer is in libclang-rt).
need_pkgs=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
           binutils-mingw-w64-x86-64 cmake make wine wine32:i386 wine64
           xvfb xauth fonts-wine fonts-liberation fonts-dejavu-core fonts-wqy-microhei
           googletest python3
           clang lld libclang-rt-dev cppcheck clang-tidy)

have_all() {
  local tool
  for tool in {i686,x86_64}-w64-mingw32-{g++-posix,windres} cmake wine Xvfb xauth python3 \
              clang ld.lld cppcheck clang-tidy; do
    command -v $tool >/dev/null || return 1
  done
  { [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null; } &&
  [ -d /usr/share/wine/fonts ] && [ -d /usr/share/fonts/truetype/liberation ] &&
  [ -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] && [ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ] &&
  [ -f /usr/src/googletest/CMakeLists.txt ] &&
  [ -f "$(clang -print-file-name=libclang_rt.fuzzer-x86_64.a)" ] &&
  { [ -e /usr/lib/wine/i386-windows ] || [ -e /usr/lib/i386-linux-gnu/wine ]; }
}

# The emulated machine's first program is busybox: it must be the static build.
vm_pkgs=(qemu-system-x86 busybox-static)
have_vm() {
  command -v qemu-system-x86_64 >/dev/null && [ -x /bin/busybox ] &&
  dpkg-query -W -f='${Status}' busybox-static 2>/dev/null | grep -q 'ok installed'
}

install() {
  if ! command -v apt-get >/dev/null || [ ! -f /etc/debian_version ] || [ "$(id -u)" -ne 0 ]; then
    echo "Missing build tools. As root on Debian this installs them; elsewhere install these" >&2
    echo "(Debian names; 32-bit Wine needs dpkg --add-architecture i386): $*" >&2
    exit 1
  fi
  echo "== installing: $*"
  dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  if update_lists; then
    apt_install "$@" && return
  else
    # An index left out (a mirror mid-sync, say): go on with the lists apt has.
    echo "== some package lists could not be fetched; installing from the lists apt has"
    apt_install "$@" && return
    # Where one architecture's update list is missing, the two halves of a
    # package can disagree; the release's main archive holds both.
    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] && apt_install -t "$codename" "$@" && return
  fi
  echo "install-deps: the install failed; not installed: $(not_installed "$@")" >&2
  exit 1
}

apt_install() { apt-get install -y -q --no-install-recommends "$@"; }

# The packages of those named that dpkg does not have installed.
not_installed() {
  local pkg missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
  done
  echo "${missing[*]:-none}"
}

# A mirror mid-sync fails one index for a minute or so: try a few times.
# apt-get update exits 0 on some failed fetches, which it only reports.
update_lists() {
  local try out
  for try in 1 2 3; do
    out=$(apt-get update -q 2>&1) && echo "$out" &&
      ! grep -qE '^[WE]: (Failed to fetch|Some index files)' <<<"$out" && return 0
    [ "$try" -lt 3 ] && sleep $((try * 10))
  done
  echo "$out"
  return 1
}

if [ "${1:-}" = vm ]; then
  have_vm || install "${vm_pkgs[@]}"
  exit
fi
have_all || install "${need_pkgs[@]}"
have_all || { echo "install-deps: tools still missing; not installed: $(not_installed "${need_pkgs[@]}")" >&2; exit 1; }
