#!/usr/bin/env bash
# Builds the Debian package (the package preset: release programs, no tests,
# no benchmarks) and checks it: lintian (errors fail), the desktop entry and
# AppStream validators, then installs it — dpkg -i when run as root, else
# unpacked into a scratch root — and runs the installed programs: each one's
# --version, orlan-cli's page list (its installed catalogue found) and a
# whole-configuration read by orlan-cli against orlan-sim.
#   scripts/package-check.sh            ORLAN_PACKAGE_UNPACK=1: never dpkg -i
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
version="$(sed -n 's/^project(orlan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
[ -n "$version" ] || { echo "package-check: no version in CMakeLists.txt" >&2; exit 1; }

echo "=== package: configure and build"
cmake --preset package >/dev/null
cmake --build --preset package -j "$jobs"
rm -f build/package/orlan_*.deb
(cd build/package && cpack -G DEB >/dev/null)
deb="build/package/orlan_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "package-check: cpack made no $deb" >&2; exit 1; }

echo "=== package: checks"
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
case "$depends" in
  *libqt6core6*) ;;
  *) echo "package-check: the dependencies were not taken from the shared libraries" >&2; exit 1 ;;
esac
lintian --fail-on error --tag-display-limit 0 "$deb"

# The validators look at the files as the package installs them.
dpkg-deb -x "$deb" "$work/content"
desktop-file-validate "$work"/content/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/content/usr/share/metainfo/*.metainfo.xml

echo "=== package: installed programs"
if [ "$(id -u)" -eq 0 ] && [ -z "${ORLAN_PACKAGE_UNPACK:-}" ]; then
  dpkg -i "$deb" >/dev/null
  bin=/usr/bin
else
  bin="$work/content/usr/bin"
fi
for program in orlan orlan-cli orlan-sim; do
  said="$("$bin/$program" --version)"
  [ "$said" = "$program $version" ] || { echo "package-check: $program --version said '$said'" >&2; exit 1; }
  echo "$said"
done
# The chart module where the installed window looks for it, its libraries found.
module="$bin/../lib/orlan/orlan-chart.so"
[ -f "$module" ] || { echo "package-check: the chart module is not at $module" >&2; exit 1; }
if ldd "$module" | grep -q "not found"; then
  echo "package-check: the chart module misses libraries:" >&2; ldd "$module" | grep "not found" >&2; exit 1
fi
echo "chart module: $(realpath "$module")"

# Run from a scratch folder with a scratch home, so neither a gsm.ini in the
# working directory nor a remembered language stands in for the installed
# catalogue: page titles, not their keys, show it was found.
home="$work/home"
mkdir -p "$home"
(cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/.config" LC_ALL=C.UTF-8 "$bin/orlan-cli" pages >"$work/pages.out")
grep -q "Phone numbers" "$work/pages.out" ||
  { echo "package-check: the installed orlan-cli did not find its installed catalogue" >&2; exit 1; }

link="$work/orlan-tty"
"$bin/orlan-sim" --rate 0 --link "$link" >/dev/null &
sim_pid=$!
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
[ -e "$link" ] || { echo "package-check: the installed orlan-sim did not start" >&2; exit 1; }
status=0
(cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/.config" \
   "$bin/orlan-cli" --port "$link" --timeout 30 read >"$work/read.out" 2>"$work/read.err") || status=$?
lines="$(grep -c '^\$' "$work/read.out" || true)"
if [ "$status" -ne 0 ] || [ "$lines" -eq 0 ]; then
  cat "$work/read.err" >&2
  echo "package-check: the installed orlan-cli read ended with $status and $lines \"\$\" lines" >&2
  exit 1
fi
echo "orlan-cli read: $lines configuration lines from the installed orlan-sim"
echo "package-check: $deb is sound"
