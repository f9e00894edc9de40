#!/usr/bin/env bash
# End to end on the Windows build: talvo.exe under Wine, on the Windows platform, in a virtual X
# display under a window manager (openbox), driven as a pilot would. The pilot's folders stand on
# Wine's C: drive under a user folder outside ASCII (C:\users\Zoë\Documents): first start with
# "none", Set Path to the saved-flights folder there, load the demo flight, edit it, compile with
# the shipped templates and again with adapted ones, a compile that changes nothing, then the
# files on disk and every message are checked as on Linux. Screenshots of each window land in
# SCREENSHOT_DIR.
#
# usage: tst_pilot_windows.sh TALVO_EXE SOURCE_DIR SCREENSHOT_DIR
# Skipped (exit 77) without wine, Xvfb, openbox or xdotool.
set -euo pipefail
program=$(readlink -f "$1")
source_dir=$(readlink -f "$2")
PILOT_SHOTS=$3
for tool in wine wineserver winepath Xvfb openbox xdotool xdpyinfo xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=../../scripts/pilot-driver.sh
source "$source_dir/scripts/pilot-driver.sh"

scratch=$(mktemp -d /tmp/talvo-e2e-windows.XXXXXX)
cleanup() {
    wineserver -k 2>/dev/null || true
    pilot_stop
    rm -rf "$scratch"
}
trap cleanup EXIT
# A Wine prefix of the test's own; the program as a pilot's Windows starts it, on the Windows
# platform (not a test preset's offscreen one).
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QT_QPA_PLATFORM=windows
windows_path() { winepath -w "$1" 2>/dev/null; }

# The program's messages name files as Windows does.
wineboot -i >/dev/null 2>&1
wineserver -w
documents="$WINEPREFIX/drive_c/users/Zoë/Documents"
work="$documents/Talvo 2003"
sim="$documents/Flight Simulator Files"
mkdir -p "$work/lib" "$sim"
cp "$source_dir/data/talvo.ini" "$work/"
cp "$source_dir/data/lib/Talvo.abl" "$source_dir/data/lib/Talvo2.abl" "$work/lib/"
cp "$source_dir/data/demo/Flight Simulator Files/"* "$sim/"
expected="$source_dir/tests/e2e/expected"
win_work='C:\users\Zoë\Documents\Talvo 2003'
win_sim='C:\users\Zoë\Documents\Flight Simulator Files'
rm -rf "$PILOT_SHOTS"

check_same() { # file expected description
    cmp -s "$1" "$2" || pilot_fail "$3 differs from $2: $(cmp "$1" "$2" 2>&1 | head -n 1)"
}

# The program in the pilot's Talvo folder, with the driver's logs (as Windows names them).
start_program() {
    PILOT_LOG=$scratch/messages.log
    PILOT_FOCUS_LOG=$scratch/focus.log
    : >"$PILOT_LOG"
    : >"$PILOT_FOCUS_LOG"
    PILOT_MESSAGES_SEEN=0
    (cd "$work" && exec env TALVO_MESSAGE_LOG="$(windows_path "$PILOT_LOG")" \
        TALVO_FOCUS_LOG="$(windows_path "$PILOT_FOCUS_LOG")" QT_SCALE_FACTOR="$PILOT_SCALE" \
        "$source_dir/scripts/wine-run.sh" "$program") &
    PILOT_PID=$! # shellcheck disable=SC2034
}

# Opens a folder of the C: drive in the setup window's list, one name at a time from the drive's
# root: typing the start of a name selects it, Enter opens it.
open_windows_folder() { # NAME...
    local part
    pilot_click "$SETUP" "${SETUP_DIR1[@]}"
    for part in "$@"; do
        xdotool type --delay 30 "$part"
        xdotool key Return
        sleep 0.8
    done
}

# Under Wine a window's frame is the window manager's, not the one Windows would draw: the
# program centres the frame Windows reports (Wine's own title bar, a few pixels lower than
# openbox's), so the sides may differ by that much more.
PILOT_CENTRE_SLACK=$((8 * PILOT_SCALE))
pilot_start_display
pilot_start_window_manager
start_program

# First start: talvo.ini says "none", so the setup window asks for the saved-flights folder.
pilot_check_centred "$SETUP"
pilot_focus_is "checkp Dir1"
pilot_shot_of "$SETUP" checkp
pilot_click "$SETUP" "${SETUP_SET_PATH[@]}"
pilot_message "Incorrect Path" message-incorrect-path
pilot_focus_is "checkp Command1"
# "Zo" selects the user's folder: the driver types no letter outside ASCII.
open_windows_folder "C:" users Zo Documents Flight
pilot_click "$SETUP" "${SETUP_SET_PATH[@]}"
pilot_window "$MAIN" >/dev/null
# talvo.ini holds the folder in Windows-1252, as Windows names it.
printf '%s\\\r\n' "$win_sim" | iconv -f UTF-8 -t WINDOWS-1252 | cmp -s - "$work/talvo.ini" ||
    pilot_fail "talvo.ini does not hold the folder: $(od -c "$work/talvo.ini" | head -n 3)"
pilot_focus_is "Form2 Command3"
pilot_shot_of "$MAIN" form2

pilot_click "$MAIN" "${MAIN_COMPILE[@]}" "${MAIN_CONTAINER[@]}"
pilot_message "Please, load the Flight Plan first!" message-load-first

pilot_click "$MAIN" "${MAIN_LOAD[@]}"
pilot_message "Flight Plan KSEA-PANC Loaded" message-loaded
pilot_window "$COMPILER" >/dev/null
pilot_check_centred "$COMPILER"
pilot_focus_is "B747 Text1"
pilot_shot_of "$COMPILER" b747-loaded

# The pilot's choices: 85 % fuel, 33000 feet, no check-list prompts.
pilot_type_into "$COMPILER" "${B747_TEXT14[@]}" 85
pilot_type_into "$COMPILER" "${B747_TEXT4[@]}" 33000
pilot_click "$COMPILER" "${B747_CHECK2[@]}"
pilot_focus_is "B747 Check2"
pilot_shot_of "$COMPILER" b747

# The shipped templates still hold the placeholders of the simulator's names.
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
first_use=$(grep -n 'SimVar_' "$work/lib/Talvo.abl" | grep -v '^[0-9]*: *//' | head -n 1 | cut -d: -f1)
pilot_message "The adventure's files are written, but the simulator will not run its script $win_work\\lib\\KSEA-PANC.abl.\nLine $first_use: SimVar_IndicatedAirspeed in lib\\Talvo.abl line $first_use is a placeholder: replace it with your simulator's name.\nAdapt the template as its block LINES TO ADAPT TO YOUR SIMULATOR says, then compile again." message-placeholder

# The pilot adapts the templates and compiles again: the same files as on Linux.
sed -i 's/SimVar_/FsVar_/g; s/SimCall_/FsCall_/g' "$work/lib/Talvo.abl" "$work/lib/Talvo2.abl"
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
pilot_message "Adventure compiled successfully!" message-compiled
pilot_focus_is "B747 Command2"
check_same "$work/KSEA-PANC.flt" "$expected/KSEA-PANC.flt" "the adventure flight"
check_same "$sim/KSEA-PANC.pln" "$expected/KSEA-PANC.pln" "the flight plan"
{
    cat "$work/lib/Talvo.abl"
    printf 'nV1=148;\r\nnVr=166;\r\nnV2=178;\r\nCallSpeed = 1;\r\nCallList = 0;\r\nRateFlight = 1;\r\n'
    cat "$work/lib/Talvo2.abl"
} >"$scratch/expected.abl"
check_same "$work/lib/KSEA-PANC.abl" "$scratch/expected.abl" "the adventure script"
check_same "$sim/Talvo.FLT" "$source_dir/data/demo/Flight Simulator Files/Talvo.FLT" "Talvo.FLT"

# A compile that changes nothing (a template that is a folder): the same message as on Linux,
# the plan untouched, no backup left.
mv "$work/lib/Talvo2.abl" "$scratch/Talvo2.abl"
mkdir "$work/lib/Talvo2.abl"
pilot_type_into "$COMPILER" "${B747_TEXT4[@]}" 31000
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
pilot_message "Cannot compile the Adventure.\nThe file $win_work\\lib\\Talvo2.abl cannot be read: it is a folder, not a file.\nNo file was changed." message-refused
check_same "$sim/KSEA-PANC.pln" "$expected/KSEA-PANC.pln" "the flight plan after the refusal"
if find "$work" "$sim" -name '*.talvo-*' | grep -q .; then
    pilot_fail "a refused compile left $(find "$work" "$sim" -name '*.talvo-*')"
fi

pilot_click "$COMPILER" "${B747_EXIT[@]}"
pilot_wait_exit || pilot_fail "the program ended with status $?"
[[ $(wc -l <"$PILOT_LOG") -eq $PILOT_MESSAGES_SEEN ]] ||
    pilot_fail "the program showed messages the pilot never saw: $(cat "$PILOT_LOG")"
echo "PASS: the pilot's workflow on Windows, $PILOT_MESSAGES_SEEN messages; screenshots in $PILOT_SHOTS"
