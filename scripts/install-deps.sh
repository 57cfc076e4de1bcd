#!/usr/bin/env bash
# Installs the Debian packages that the named groups need (scripts/packages/GROUP.txt),
# only those that are missing, so a machine that has them all pays nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing=()
for group in "${@:-core}"; do
  list="$here/packages/$group.txt"
  [ -f "$list" ] || { echo "install-deps: no package group '$group'" >&2; exit 1; }
  while read -r pkg _; do
    case "$pkg" in ''|'#'*) continue ;; esac
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done < "$list"
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "install-deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
