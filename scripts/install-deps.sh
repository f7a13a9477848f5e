#!/usr/bin/env bash
# Installs what building 澄览 needs and is not yet on this Debian 12 machine.
#   install-deps.sh          to build and run
#   install-deps.sh --test   also what the tests need (Xvfb, xdotool, …)
#   install-deps.sh --bench  also what the benchmark needs (Chromium, valgrind, …)
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libgl-dev fonts-noto-cjk)
for wanted in "$@"; do
    case "$wanted" in
    --test) packages+=(python3 xvfb xauth xdotool x11-utils) ;;
    --bench) packages+=(python3 xvfb xauth xdotool x11-utils chromium valgrind linux-perf procps pkgconf libxcb1-dev) ;;
    *) echo "install-deps.sh: unknown option $wanted" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
