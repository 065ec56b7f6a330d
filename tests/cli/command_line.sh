#!/usr/bin/env bash
# The command line end to end, without a window: --version and --help without a display, a job
# file turned into a PDF report (its text read back with pdftotext), a missing file and two files
# at once.
# Usage: tests/cli/command_line.sh <orvenda-expans executable>
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
fail() { echo "command line: FAILED: $*" >&2; exit 1; }

# No display and no platform chosen: the help and the version are still printed.
bare=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe")
[ "$("${bare[@]}" --version 2>/dev/null)" = "Orvenda-Expans 1.00" ] || fail "--version"
"${bare[@]}" --help >"$work/help" 2>/dev/null || fail "--help failed"
grep -q -- "--pdf <kimenet.pdf>" "$work/help" || fail "--help does not list --pdf"

"$exe" "$here/munka.expans" --pdf "$work/jelentes.pdf" 2>"$work/err" || fail "--pdf: $(cat "$work/err")"
if grep -v "QStandardPaths" "$work/err" | grep -q .; then
  fail "messages for a sound job: $(cat "$work/err")"
fi
command -v pdftotext >/dev/null || fail "pdftotext is missing"
pdftotext -layout "$work/jelentes.pdf" "$work/jelentes.txt"
expect() { grep -Eq "$1" "$work/jelentes.txt" || fail "the report lacks /$1/"; }
expect "Projektfájl: +munka\.expans"
expect "Levegő oldali előnyomás +3 +bar"
expect "maximális, átlagos hőmérséklet +120 +°C"
expect "Választott tágulási tartály +80 liter"
expect "Átlagos folyadékhőmérséklet +95°C"
# A job of the first format: the check with its defaults, and the commissioning sheet.
expect "6\. Ellenőrzés az MSZ EN 12828 szerint"
expect "80 literes tartály elég nagy: a szükséges legkisebb névleges térfogat 24[.,]24 liter"
expect "Üzembe helyezési adatlap"
expect "szelep nyitónyomása \(a maximális rendszernyomás\) +6 +bar"
expect "Éves ellenőrzések"

if "$exe" "$work/nincs.expans" --pdf "$work/x.pdf" 2>"$work/err"; then fail "a missing file succeeded"; fi
grep -q "„nincs.expans” fájl nem nyitható meg" "$work/err" || fail "no message for a missing file"
[ ! -e "$work/x.pdf" ] || fail "a report for a missing file"
if "$exe" a.expans b.expans --pdf "$work/x.pdf" 2>/dev/null; then fail "two files accepted"; fi
echo "command line: passed"
