#!/usr/bin/env bash
# The Windows setup program tried out as a user would, in a fresh Wine prefix on Xvfb: a silent
# install, the installed program started from its place on the `windows` platform with a job
# from Linux (screenshots of both windows), a report written by the installed program, then a
# silent uninstall, after which nothing it added may remain. The prefix's wineserver is ended by
# that prefix.
#
# Usage: tests/windows/setup_session.sh <setup.exe> <output folder for screenshots and report>
set -euo pipefail

setup=$(realpath "$1")
out=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
mkdir -p "$out"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
pids=()
cleanup() {
    local pid
    "$wineserver" -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "setup session: FAILED: $*" >&2; exit 1; }

# shellcheck source=../xvfb/display.sh
source "$here/../xvfb/display.sh"
start_xvfb

"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
[ -d "$user_dir" ] || fail "no user folder in the Wine prefix"
# A Hungarian user's regional settings, the decimal comma among them.
"$wine" reg add 'HKCU\Control Panel\International' /v LocaleName /d hu-HU /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Control Panel\International' /v sDecimal /d , /f >/dev/null 2>&1
"$wineserver" -w
reg_export() { "$wine" reg export HKCU "$1" /y >/dev/null 2>&1; iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'; }
# Wine writes its own settings into the prefix for a while after start-up; settle first.
reg_export "$work/before.reg" >"$work/before.txt"
find "$user_dir" \( -path "$user_dir/AppData/Local/Temp" -o -path "$user_dir/Temp" \) -prune -o -print |
    sort >"$work/before.files"

echo "setup session: silent install"
"$wine" "$setup" /S
"$wineserver" -w
installed=$user_dir/AppData/Local/Programs/Orvenda-Expans
[ -f "$installed/orvenda-expans.exe" ] || fail "the program was not installed in $installed"
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
[ -f "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Orvenda-Expans.lnk" ] ||
    fail "no Start-menu entry"
"$wine" reg query 'HKCU\Software\Classes\.expans' 2>/dev/null | grep -q OrvendaExpans.Job ||
    fail ".expans is not registered"
"$wine" reg query 'HKCU\Software\Classes\OrvendaExpans.Job\shell\open\command' 2>/dev/null |
    grep -q 'orvenda-expans.exe" "%1"' || fail "no open command for .expans"

job_dir=$work/jobs
mkdir -p "$job_dir"
cp "$here/../cli/munka.expans" "$job_dir/Családi ház.expans"
exe='C:\users\'"$(id -un)"'\AppData\Local\Programs\Orvenda-Expans\orvenda-expans.exe'

echo "setup session: the installed program writes a report"
(cd "$job_dir" && "$wine" "$exe" "Családi ház.expans" --pdf jelentes.pdf 2>"$work/pdf.err") ||
    fail "--pdf: $(cat "$work/pdf.err")"
pdftotext -layout "$job_dir/jelentes.pdf" "$out/installed-report.txt"
grep -Eq "Projektfájl: +Családi ház\.expans" "$out/installed-report.txt" || fail "report lacks the job"
grep -Eq "Választott tágulási tartály +80 liter" "$out/installed-report.txt" ||
    fail "report lacks the chosen vessel"

echo "setup session: the installed program on the windows platform"
visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
(cd "$job_dir" && QT_QPA_PLATFORM=windows exec "$wine" "$exe" "Családi ház.expans") \
    >"$work/app.log" 2>&1 &
pids+=($!)
poll 60 visible 'Orvenda-Expans$' || fail "the main window did not appear"
main=$(xdotool search --onlyvisible --name 'Orvenda-Expans$' | head -n1)
sleep 2
import -window root "$out/windows-main.png"
# The volume button, in the main window's client area below the menu bar.
height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
menu=$((height - 527))
((menu >= 0 && menu < 100)) || menu=20
xdotool mousemove --window "$main" 350 $((154 + menu)) click 1
poll 30 visible '^Rendszerterfogat' || fail "the volume window did not open"
sleep 2
import -window root "$out/windows-volume.png"
"$wine" taskkill /f /im orvenda-expans.exe >/dev/null 2>&1 || true
"$wineserver" -w

echo "setup session: silent uninstall"
"$wine" "C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Orvenda-Expans\\uninstall.exe" /S
"$wineserver" -w
poll 30 test ! -e "$installed" || fail "the program folder remains"
find "$user_dir" \( -path "$user_dir/AppData/Local/Temp" -o -path "$user_dir/Temp" \) -prune -o -print |
    sort >"$work/after.files"
# What the program itself keeps (Qt's settings) is the user's, not the installer's.
left=$(comm -13 "$work/before.files" "$work/after.files" | grep -v '/AppData/Local/Orvenda' || true)
[ -z "$left" ] || fail "files left behind: $left"
reg_export "$work/after.reg" >"$work/after.txt"
left=$(diff "$work/before.txt" "$work/after.txt" | grep '^> \[' |
    grep -Ei 'orvenda|expans' || true)
[ -z "$left" ] || fail "registry keys left behind: $left"
echo "setup session: passed"
