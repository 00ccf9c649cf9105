#!/usr/bin/env bash
# ./run.sh <kavrel|curvata|cadhost> [--lang ANG|SLO|HRV|NEM|POL] [program arguments]
# Installs what is missing, builds (Release) and starts the program on the
# bundled sample installation. The user's own configuration is not touched:
# the bootstrap profile and the settings live in the build tree.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

usage() { echo "usage: ./run.sh <kavrel|curvata|cadhost> [--lang ANG|SLO|HRV|NEM|POL] [args...]" >&2; exit 2; }
[ $# -ge 1 ] || usage
program=$1; shift
case "$program" in kavrel|curvata|cadhost) ;; *) usage ;; esac

lang=""
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) [ $# -ge 2 ] || usage; lang=$2; shift 2 ;;
    --lang=*) lang=${1#--lang=}; shift ;;
    *) args+=("$1"); shift ;;
  esac
done

./scripts/install-deps
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j "$(nproc)"

sample=$root/build-release/sample
home=$root/build-release/run-home
mkdir -p "$home/.config"
export XDG_CONFIG_HOME=$home/.config
export KAVREL_WININI=$sample/WIN.INI

if [ -n "$lang" ]; then
  case "$lang" in ANG|SLO|HRV|NEM|POL) ;; *) echo "unknown language: $lang" >&2; exit 2 ;; esac
  config=$sample/kavrel/KAVREL.INI
  if [ -f "$config" ]; then
    sed -i "s/^JEZIK=.*\r\?$/JEZIK=$lang\r/" "$config"
  fi
fi

launch=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)."
  answer=n
  if [ -t 0 ]; then
    read -r -p "Run $program under xvfb-run instead (nothing will be visible)? [y/N] " answer || true
  else
    echo "Run it under a virtual display with: RUN_XVFB=1 ./run.sh $program"
    [ "${RUN_XVFB:-0}" = 1 ] && answer=y
  fi
  case "$answer" in y|Y|yes) launch=(xvfb-run -a) ;; *) exit 1 ;; esac
fi

# The drawing host offers its automation on the D-Bus session bus and the
# workbench reaches it there; without one (a bare console) the program gets a
# private bus of its own for its lifetime.
if [ "$program" != curvata ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] \
   && [ ! -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/bus" ]; then
  echo "No D-Bus session bus: $program runs on a private one (dbus-run-session)."
  launch+=(dbus-run-session --)
fi
# The workbench starts the drawing host when none runs; in the build tree the
# host is not beside the program, so put it on the PATH.
export PATH=$root/build-release/cadhost:$PATH

case "$program" in
  kavrel)  cd "$sample/kavrel" 2>/dev/null || true; exe=$root/build-release/kavrel/kavrel ;;
  curvata) cd "$sample/curvata" 2>/dev/null || true; exe=$root/build-release/curvata/curvata ;;
  cadhost) exe=$root/build-release/cadhost/cadhost ;;
esac
exec "${launch[@]}" "$exe" "${args[@]}"
