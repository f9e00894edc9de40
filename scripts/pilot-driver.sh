# Drives Talvo 2003 as a pilot would, in a virtual X display: clicks at the controls' places as
# the windows were drawn (in twips, 15 to a pixel), keys typed into fields, Enter on every
# message. Sourced by the end-to-end test and by the run command on a machine without a display.
#
# Needs Xvfb, xdotool, xdpyinfo (x11-utils) and import (imagemagick).

PILOT_TIMEOUT=${PILOT_TIMEOUT:-20}   # seconds to wait for a window
PILOT_SCALE=${PILOT_SCALE:-1}        # the program's scale factor (QT_SCALE_FACTOR), 1 or 2
PILOT_LOG=""                         # the program's message log (TALVO_MESSAGE_LOG)
PILOT_SHOTS=${PILOT_SHOTS:-}             # folder for screenshots; empty: none taken
PILOT_PID=""
PILOT_XVFB_PID=""
PILOT_MESSAGES_SEEN=0

pilot_fail() {
    echo "pilot: $*" >&2
    pilot_take_shot failure >/dev/null 2>&1 || true
    exit 1
}

# Starts a virtual display of its own and points DISPLAY at it.
pilot_start_display() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${PILOT_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" \
        >/dev/null 2>&1 &
    PILOT_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || pilot_fail "the virtual display did not start"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

pilot_stop() {
    if [[ -n "$PILOT_PID" ]] && kill -0 "$PILOT_PID" 2>/dev/null; then
        kill "$PILOT_PID" 2>/dev/null || true
        wait "$PILOT_PID" 2>/dev/null || true
    fi
    if [[ -n "$PILOT_XVFB_PID" ]]; then
        kill "$PILOT_XVFB_PID" 2>/dev/null || true
        wait "$PILOT_XVFB_PID" 2>/dev/null || true
    fi
}

# pilot_start_program BINARY FOLDER LOGFILE [ARGUMENT...]: starts the program (or its launcher,
# with the arguments) in the folder.
pilot_start_program() {
    PILOT_LOG=$3
    : >"$PILOT_LOG"
    PILOT_MESSAGES_SEEN=0
    (cd "$2" && exec env TALVO_MESSAGE_LOG="$PILOT_LOG" QT_QPA_PLATFORM=xcb \
        QT_SCALE_FACTOR="$PILOT_SCALE" "$1" "${@:4}") &
    PILOT_PID=$!
}

# The id of the visible window whose title is exactly TITLE, waiting for it to show.
pilot_window() {
    local title=$1 id="" i
    for ((i = 0; i < PILOT_TIMEOUT * 10; i++)); do
        id=$(xdotool search --onlyvisible --name "^${title//[][\\^$.|?*+()]/\\&}\$" 2>/dev/null |
            head -n 1) || true
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    pilot_fail "no window \"$title\" showed up"
}

pilot_is_visible() {
    xdotool search --onlyvisible --name "^${1//[][\\^$.|?*+()]/\\&}\$" >/dev/null 2>&1
}

# pilot_click TITLE LEFT TOP WIDTH HEIGHT [DX DY]: clicks the middle of a control of the window,
# its place given in twips relative to the window's client area (DX, DY: twips of the container
# the control sits on).
pilot_click() {
    local id x y
    id=$(pilot_window "$1")
    eval "$(xdotool getwindowgeometry --shell "$id")"
    x=$((X + PILOT_SCALE * (${6:-0} + $2 + $4 / 2) / 15))
    y=$((Y + PILOT_SCALE * (${7:-0} + $3 + $5 / 2) / 15))
    xdotool mousemove --sync "$x" "$y" click 1
    sleep 0.2
}

# pilot_type_into TITLE LEFT TOP WIDTH HEIGHT TEXT: replaces a field's text, key by key.
pilot_type_into() {
    pilot_click "$1" "$2" "$3" "$4" "$5"
    xdotool key ctrl+a
    xdotool type --delay 40 "$6"
    sleep 0.2
}

# pilot_message EXPECTED [SHOT]: waits for the next message box, checks its caption and its text,
# takes an optional screenshot of it and closes it with Enter.
pilot_message() {
    local expected=$1 id text
    id=$(pilot_window "Talvo 2003")
    PILOT_MESSAGES_SEEN=$((PILOT_MESSAGES_SEEN + 1))
    text=$(sed -n "${PILOT_MESSAGES_SEEN}p" "$PILOT_LOG")
    if [[ "$text" != "$expected" ]]; then
        pilot_fail "message $PILOT_MESSAGES_SEEN said \"$text\", expected \"$expected\""
    fi
    if [[ -n "${2:-}" ]]; then
        pilot_take_shot "$2" "$id"
    fi
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key Return
    local i
    for ((i = 0; i < PILOT_TIMEOUT * 10; i++)); do
        if ! xdotool search --onlyvisible --name '^Talvo 2003$' >/dev/null 2>&1; then
            sleep 0.2
            return 0
        fi
        sleep 0.1
    done
    pilot_fail "the message \"$expected\" did not close on Enter"
}

# pilot_accept_message [SHOT]: closes the next message, whatever it says; its text (line breaks as
# "\n") is then in PILOT_LAST_MESSAGE.
pilot_accept_message() {
    pilot_window "Talvo 2003" >/dev/null
    PILOT_LAST_MESSAGE=$(sed -n "$((PILOT_MESSAGES_SEEN + 1))p" "$PILOT_LOG")
    pilot_message "$PILOT_LAST_MESSAGE" "${1:-}"
}

# pilot_take_shot NAME [WINDOWID]: saves NAME.png of a window (or of the whole screen).
pilot_take_shot() {
    [[ -n "$PILOT_SHOTS" ]] || return 0
    mkdir -p "$PILOT_SHOTS"
    if [[ -n "${2:-}" ]]; then
        import -window "$2" "$PILOT_SHOTS/$1.png"
    else
        import -window root "$PILOT_SHOTS/$1.png"
    fi
}

pilot_shot_of() {
    local id
    id=$(pilot_window "$1")
    pilot_take_shot "$2" "$id"
}

# Waits for the program to end; returns its exit status.
pilot_wait_exit() {
    local i
    for ((i = 0; i < PILOT_TIMEOUT * 10; i++)); do
        if ! kill -0 "$PILOT_PID" 2>/dev/null; then
            local status=0
            wait "$PILOT_PID" || status=$?
            PILOT_PID=""
            return "$status"
        fi
        sleep 0.1
    done
    pilot_fail "the program did not end"
}

# Places of the controls the driver uses, in twips, as the windows were drawn.
SETUP="Adventure Compiler Setup"
MAIN="Talvo 2003 - Main Interface"
COMPILER="Talvo 2003 - AI / ATC Adventure Compiler"
SETUP_DIR1=(1065 705 4455 2790)
SETUP_SET_PATH=(5280 3825 885 405)
MAIN_CONTAINER=(-60 0)                     # Picture1, which holds the buttons below but Command3
MAIN_LOAD=(-15 4560 2010 405)              # on the window
MAIN_COMPILE=(15 4935 2010 405)            # on Picture1
MAIN_EXIT=(15 5325 2010 405)               # on Picture1
B747_COMBO1=(4965 3795 4770 360)
B747_TEXT14=(5055 4950 420 255)
B747_TEXT4=(9030 5790 720 255)
B747_CHECK2=(9525 6615 225 225)
B747_LOAD=(0 4770 2010 405)
B747_COMPILE=(0 5160 2010 405)
B747_EXIT=(-15 5565 2010 405)

# pilot_open_folder PATH: opens PATH in the setup window's directory list, one folder at a time,
# by typing the start of each folder's name and Enter. An absolute PATH is opened from the root
# ("/") wherever the list stands (it opens on the C: drive of a Wine prefix when there is one);
# a relative one from the list's current folder.
pilot_open_folder() {
    local part parts
    pilot_click "$SETUP" "${SETUP_DIR1[@]}"
    IFS=/ read -r -a parts <<<"${1#/}"
    if [[ "$1" == /* ]]; then
        parts=(/ "${parts[@]}")
    fi
    for part in "${parts[@]}"; do
        xdotool type --delay 30 "$part"
        xdotool key Return
        sleep 0.8 # longer than the list's typing pause, so the next name starts a new search
    done
}
