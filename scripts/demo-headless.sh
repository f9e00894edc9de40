#!/usr/bin/env bash
# Compiles the demo adventure without a display: the program runs in a virtual display under a
# window manager, and the pilot-like driver loads the demo flight, compiles it and ends the
# program, then prints the adventure's rehearsal over simulated flights and where its plot is.
#
# usage: demo-headless.sh PROGRAM WORKFOLDER
set -euo pipefail
program=$(readlink -f "$1")
work=$(readlink -f "$2")
PILOT_SHOTS=$work/screenshots
source "$(dirname "$0")/pilot-driver.sh"
trap pilot_stop EXIT
rm -rf "$PILOT_SHOTS"

# talvo.ini names the demo folder, unless the pilot put "none" back into it.
folder=$(head -n 1 "$work/talvo.ini" | tr -d '\r')
echo "No display: running Talvo 2003 in a virtual display on the demo flight."
pilot_start_display
pilot_start_window_manager
pilot_start_program "$program" "$work" "$work/messages.log"
if [[ "$folder" == "none" ]]; then
    pilot_shot_of "$SETUP" checkp
    folder="$work/Flight Simulator Files"
    pilot_open_folder "$folder"
    pilot_click "$SETUP" "${SETUP_SET_PATH[@]}"
    folder="$folder\\"
fi
folder=${folder%\\}
pilot_shot_of "$MAIN" form2
pilot_click "$MAIN" "${MAIN_LOAD[@]}"
plan=$(sed -n 's/^Filename=FLIGHTS\\MYFLTS\\//Ip' "$folder/Talvo.FLT" | tail -n 1 | tr -d '\r')
pilot_message "Flight Plan $plan Loaded" message-loaded
pilot_shot_of "$COMPILER" b747
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
# With the shipped templates the program says which simulator names are still to adapt.
pilot_accept_message message-compiled
pilot_click "$COMPILER" "${B747_EXIT[@]}"
pilot_wait_exit

cat <<REPORT

The demo adventure is compiled. Talvo 2003 said:
  ${PILOT_LAST_MESSAGE//\\n/$'\n'  }
Its files:
  adventure flight:  $work/$plan.flt
  adventure script:  $work/lib/$plan.abl
  flight plan:       $folder/$plan.pln (cruising altitude updated; working copy $work/$plan.pln)
Screenshots:         $PILOT_SHOTS/
REPORT

# What the adventure's script will do in the simulator: its rehearsal over simulated flights.
check=$(dirname "$program")/../scriptcheck/talvo-check
if [[ -x "$check" ]]; then
    echo
    echo "The adventure's rehearsal over simulated flights (talvo-check --rehearse):"
    status=0
    "$check" --rehearse "$work/lib/$plan.abl" --plot "$PILOT_SHOTS/rehearsal.png" || status=$?
    if ((status == 0)); then
        echo "Every rule of the call-outs kept (speed calls, check-list prompts, rating). Its plot: $PILOT_SHOTS/rehearsal.png"
    else
        echo "A rule was broken (see above). Its plot: $PILOT_SHOTS/rehearsal.png"
    fi
fi
