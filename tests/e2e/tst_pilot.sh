#!/usr/bin/env bash
# End to end, in a real X server under a window manager (openbox): starts the built program in a
# fresh working folder and drives it as a pilot would, then checks the files on disk, every
# message the program showed and its title bar, where the windows stand and where the focus is
# after each step.
#
# usage: tst_pilot.sh PROGRAM SOURCE_DIR SCREENSHOT_DIR
set -euo pipefail
program=$(readlink -f "$1")
source_dir=$2
PILOT_SHOTS=$3
for tool in Xvfb openbox xdotool xdpyinfo xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=../../scripts/pilot-driver.sh
source "$source_dir/scripts/pilot-driver.sh"

work=$(mktemp -d /tmp/talvo-e2e.XXXXXX)
trap 'pilot_stop; rm -rf "$work"' EXIT
sim="$work/Flight Simulator Files"
mkdir -p "$work/lib" "$sim"
cp "$source_dir/data/talvo.ini" "$work/"
cp "$source_dir/data/lib/Talvo.abl" "$source_dir/data/lib/Talvo2.abl" "$work/lib/"
cp "$source_dir/data/demo/Flight Simulator Files/"* "$sim/"
expected="$source_dir/tests/e2e/expected"
rm -rf "$PILOT_SHOTS"

check_same() { # file expected description
    cmp -s "$1" "$2" || pilot_fail "$3 differs from $2: $(cmp "$1" "$2" 2>&1 | head -n 1)"
}

pilot_start_display
pilot_start_window_manager
pilot_start_program "$program" "$work" "$work/messages.log"

# First start: talvo.ini says "none", so the setup window asks for the saved-flights folder.
pilot_check_centred "$SETUP"
pilot_focus_is "checkp Dir1"
pilot_shot_of "$SETUP" checkp
pilot_click "$SETUP" "${SETUP_SET_PATH[@]}"   # the list stands at the root
pilot_message "Incorrect Path" message-incorrect-path
pilot_focus_is "checkp Command1"
pilot_open_folder "$sim"
pilot_click "$SETUP" "${SETUP_SET_PATH[@]}"
pilot_window "$MAIN" >/dev/null
printf '%s\\\r\n' "$sim" | cmp -s - "$work/talvo.ini" || pilot_fail "talvo.ini does not hold the folder"
pilot_is_visible "$SETUP" && pilot_fail "the setup window is still on screen"
pilot_focus_is "Form2 Command3"
pilot_shot_of "$MAIN" form2

pilot_click "$MAIN" "${MAIN_COMPILE[@]}" "${MAIN_CONTAINER[@]}"
pilot_message "Please, load the Flight Plan first!" message-load-first
pilot_focus_is "Form2 Command4"

# A saved flight of another aircraft opens nothing.
cp "$sim/Talvo.FLT" "$work/Talvo.FLT.747"
printf 'Aircraft=Cessna Skyhawk 172SP\r\n' >"$sim/Talvo.FLT"
pilot_click "$MAIN" "${MAIN_LOAD[@]}"
pilot_message "The saved flight Talvo.flt was saved with the Cessna Skyhawk 172SP. The adventure compiler is made for the Boeing 747-400: please save the flight with Talvo Fleet." message-other-aircraft
pilot_focus_is "Form2 Command3"
pilot_is_visible "$COMPILER" && pilot_fail "the compiler window opened for another aircraft"
mv "$work/Talvo.FLT.747" "$sim/Talvo.FLT"

# The 747-400: the load's message comes before the compiler window shows.
pilot_click "$MAIN" "${MAIN_LOAD[@]}"
pilot_message "Flight Plan KSEA-PANC Loaded" message-loaded
pilot_window "$COMPILER" >/dev/null
pilot_is_visible "$MAIN" && pilot_fail "the main interface is still on screen"
pilot_check_centred "$COMPILER"
pilot_focus_is "B747 Text1"
pilot_shot_of "$COMPILER" b747-loaded

# The pilot's choices: 85 % fuel, 33000 feet, no check-list prompts.
pilot_type_into "$COMPILER" "${B747_TEXT14[@]}" 85
pilot_focus_is "B747 Text14"
pilot_type_into "$COMPILER" "${B747_TEXT4[@]}" 33000
pilot_focus_is "B747 Text4"
pilot_click "$COMPILER" "${B747_CHECK2[@]}"
pilot_focus_is "B747 Check2"
pilot_shot_of "$COMPILER" b747
# The shipped templates still hold the placeholders of the simulator's names: the files are
# written, and the pilot is told why the simulator will not run the script yet.
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
first_use=$(grep -n 'SimVar_' "$work/lib/Talvo.abl" | grep -v '^[0-9]*: *//' | head -n 1 | cut -d: -f1)
pilot_message "The adventure's files are written, but the simulator will not run its script $work/lib/KSEA-PANC.abl.\nLine $first_use: SimVar_IndicatedAirspeed in lib\\Talvo.abl line $first_use is a placeholder: replace it with your simulator's name.\nAdapt the template as its block LINES TO ADAPT TO YOUR SIMULATOR says, then compile again." message-placeholder
pilot_focus_is "B747 Command2"

# The pilot adapts the templates to the simulator's names and compiles again.
sed -i 's/SimVar_/FsVar_/g; s/SimCall_/FsCall_/g' "$work/lib/Talvo.abl" "$work/lib/Talvo2.abl"
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
pilot_message "Adventure compiled successfully!" message-compiled
pilot_focus_is "B747 Command2"

check_same "$work/KSEA-PANC.flt" "$expected/KSEA-PANC.flt" "the adventure flight"
check_same "$sim/KSEA-PANC.pln" "$expected/KSEA-PANC.pln" "the flight plan"
check_same "$work/KSEA-PANC.pln" "$expected/KSEA-PANC.pln" "the plan's working copy"
{
    cat "$work/lib/Talvo.abl"
    printf 'nV1=148;\r\nnVr=166;\r\nnV2=178;\r\nCallSpeed = 1;\r\nCallList = 0;\r\nRateFlight = 1;\r\n'
    cat "$work/lib/Talvo2.abl"
} >"$work/expected.abl"
check_same "$work/lib/KSEA-PANC.abl" "$work/expected.abl" "the adventure script"
check_same "$sim/Talvo.FLT" "$source_dir/data/demo/Flight Simulator Files/Talvo.FLT" "Talvo.FLT"

# A compile that changes nothing (a template that is a folder) leaves the focus on the first
# field: Enter there presses no button, and the pilot's edits stay.
mv "$work/lib/Talvo2.abl" "$work/Talvo2.abl"
mkdir "$work/lib/Talvo2.abl"
pilot_type_into "$COMPILER" "${B747_TEXT4[@]}" 31000
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
pilot_message "Cannot compile the Adventure.\nThe file $work/lib/Talvo2.abl cannot be read: it is a folder, not a file.\nNo file was changed." message-refused
pilot_focus_is "B747 Text1"
xdotool key Return
sleep 0.5
pilot_is_visible "Talvo 2003" && pilot_fail "Enter on the first field showed a message"
check_same "$sim/KSEA-PANC.pln" "$expected/KSEA-PANC.pln" "the flight plan after the refusal"
rmdir "$work/lib/Talvo2.abl"
mv "$work/Talvo2.abl" "$work/lib/Talvo2.abl"
pilot_type_into "$COMPILER" "${B747_TEXT4[@]}" 33000

# Another aircraft typed into the aircraft box: the compile sends the pilot back.
pilot_type_into "$COMPILER" "${B747_COMBO1[@]}" "Cessna 172"
pilot_focus_is "B747 Combo1"
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
pilot_message "Cannot compile the Adventure. Please save the flight with Talvo Fleet" message-foreign-aircraft
pilot_window "$MAIN" >/dev/null
pilot_is_visible "$COMPILER" && pilot_fail "the compiler window is still on screen"
pilot_focus_is "Form2 Command3"
check_same "$work/KSEA-PANC.flt" "$expected/KSEA-PANC.flt" "the adventure flight after the refusal"

# Back to the compiler window: its fields as the pilot left them, the focus on the first field.
pilot_click "$MAIN" "${MAIN_LOAD[@]}"
pilot_window "$COMPILER" >/dev/null
pilot_focus_is "B747 Text1"
pilot_click "$COMPILER" "${B747_EXIT[@]}"
pilot_wait_exit || pilot_fail "the program ended with status $?"
[[ $(wc -l <"$work/messages.log") -eq $PILOT_MESSAGES_SEEN ]] ||
    pilot_fail "the program showed messages the pilot never saw: $(cat "$work/messages.log")"
echo "PASS: the pilot's workflow, $PILOT_MESSAGES_SEEN messages; screenshots in $PILOT_SHOTS"
