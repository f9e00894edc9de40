# Drives Talvo 2003 as a pilot would, in a virtual X display: clicks at the controls' places as
# the windows were drawn (in twips, 15 to a pixel), keys typed into fields, Enter on every
# message. Sourced by the end-to-end test and by the run command on a machine without a display.
#
# Needs Xvfb, xdotool, xdpyinfo and xwininfo (x11-utils), import (imagemagick), and openbox for
# a run under a window manager.

PILOT_TIMEOUT=${PILOT_TIMEOUT:-20}   # seconds to wait for a window
PILOT_SCALE=${PILOT_SCALE:-1}        # the program's scale factor (QT_SCALE_FACTOR), 1 or 2
PILOT_LOG=""                         # the program's message log (TALVO_MESSAGE_LOG)
PILOT_SHOTS=${PILOT_SHOTS:-}             # folder for screenshots; empty: none taken
PILOT_PID=""
PILOT_XVFB_PID=""
PILOT_WM_PID=""
PILOT_WM_HOME=""
PILOT_FOCUS_LOG=""                   # where the program names the control with the focus
PILOT_MESSAGES_SEEN=0

pilot_fail() {
    echo "pilot: $*" >&2
    if [[ -s "$PILOT_FOCUS_LOG" ]]; then
        echo "pilot: the last moves of the focus:" $(tail -n 6 "$PILOT_FOCUS_LOG" | tr '\n' ',') >&2
    fi
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

# Starts openbox on the display with its default settings (none of this machine's user), and
# waits until it manages windows: frames, title bars and focus as a pilot's desktop has them.
pilot_start_window_manager() {
    PILOT_WM_HOME=$(mktemp -d)
    local i tries=0
    for ((i = 0; i < PILOT_TIMEOUT * 10; i++)); do
        # Started again should it have ended without taking the display (seen once on a busy
        # machine).
        if [[ -z "$PILOT_WM_PID" ]] || ! kill -0 "$PILOT_WM_PID" 2>/dev/null; then
            ((tries++ < 3)) || break
            HOME="$PILOT_WM_HOME" XDG_CONFIG_HOME="$PILOT_WM_HOME" openbox --sm-disable \
                >>"$PILOT_WM_HOME/openbox.log" 2>&1 &
            PILOT_WM_PID=$!
        fi
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        sleep 0.1
    done
    pilot_fail "the window manager did not start: $(cat "$PILOT_WM_HOME/openbox.log")"
}

pilot_stop() {
    if [[ -n "$PILOT_PID" ]] && kill -0 "$PILOT_PID" 2>/dev/null; then
        kill "$PILOT_PID" 2>/dev/null || true
        wait "$PILOT_PID" 2>/dev/null || true
    fi
    if [[ -n "$PILOT_WM_PID" ]]; then
        kill "$PILOT_WM_PID" 2>/dev/null || true
        wait "$PILOT_WM_PID" 2>/dev/null || true
        rm -rf "$PILOT_WM_HOME"
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
    PILOT_FOCUS_LOG=${3%.*}.focus
    : >"$PILOT_LOG"
    : >"$PILOT_FOCUS_LOG"
    PILOT_MESSAGES_SEEN=0
    (cd "$2" && exec env TALVO_MESSAGE_LOG="$PILOT_LOG" TALVO_FOCUS_LOG="$PILOT_FOCUS_LOG" \
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$PILOT_SCALE" "$1" "${@:4}") &
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

# pilot_client_origin WINDOWID: sets X and Y to the screen position of the window's client area,
# W and H to its size.
# (xdotool's window geometry counts a window manager's frame twice.)
pilot_client_origin() {
    local info
    info=$(xwininfo -id "$1")
    X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    W=$(sed -n 's/^ *Width: *//p' <<<"$info")
    H=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# pilot_frame WINDOWID: sets FX, FY, FW and FH to the window's place on screen with the window
# manager's frame, and FTOP to the height of its title bar (all 0 without a window manager).
pilot_frame() {
    local extents left right top bottom
    pilot_client_origin "$1"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p')
    IFS=', ' read -r left right top bottom <<<"${extents:-0, 0, 0, 0}"
    FX=$((X - left)) FY=$((Y - top)) FW=$((W + left + right)) FH=$((H + top + bottom))
    FTOP=$top
}

# pilot_check_centred TITLE: the window, frame included, stands in the middle of the screen, to
# the pixel: the room on its two sides differs by the odd pixel at most. At a larger scale the
# program places windows by its own pixels, PILOT_SCALE of the screen's, and the frame's edges
# are not a whole number of them: the sides may differ by a program pixel more.
# PILOT_CENTRE_SLACK pixels more are allowed where the program cannot know the frame exactly.
pilot_check_centred() {
    local id screen_w screen_h left right above below
    id=$(pilot_window "$1")
    sleep 0.3 # the program centres the window again once it knows the frame
    pilot_frame "$id"
    read -r screen_w screen_h < <(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    left=$FX right=$((screen_w - FX - FW)) above=$FY below=$((screen_h - FY - FH))
    local slack=$((2 * PILOT_SCALE - 1 + ${PILOT_CENTRE_SLACK:-0}))
    if (((right - left) ** 2 > slack ** 2 || (below - above) ** 2 > slack ** 2)); then
        pilot_fail "\"$1\" is not centred: $left px left, $right right, $above above, $below below"
    fi
}

# pilot_focus_is "WINDOW CONTROL": the control of the program's window that has the focus now,
# as the program reports it (the window's and the control's names), waiting a moment for it.
pilot_focus_is() {
    local now="" i
    for ((i = 0; i < 20; i++)); do
        now=$(tail -n 1 "$PILOT_FOCUS_LOG")
        [[ "$now" == "$1" ]] && return 0
        sleep 0.1
    done
    pilot_fail "the focus is on \"$now\", expected on \"$1\""
}

# The width of the caption "Talvo 2003" in the window manager's title font (openbox: sans, bold,
# 8 points), in pixels; measured once.
PILOT_CAPTION_WIDTH=""
pilot_caption_width() {
    if [[ -z "$PILOT_CAPTION_WIDTH" ]]; then
        PILOT_CAPTION_WIDTH=$(convert -density 96 -font DejaVu-Sans-Bold -pointsize 8 \
            label:"Talvo 2003" -format '%w' info:)
    fi
}

# pilot_click TITLE LEFT TOP WIDTH HEIGHT [DX DY]: clicks the middle of a control of the window,
# its place given in twips relative to the window's client area (DX, DY: twips of the container
# the control sits on).
pilot_click() {
    local id x y
    id=$(pilot_window "$1")
    pilot_client_origin "$id"
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
    # The title bar shows the whole caption: room for it beside an icon and four buttons, each
    # as wide as the bar is high.
    pilot_frame "$id"
    if ((FTOP > 0)); then
        pilot_caption_width
        local need=$((PILOT_CAPTION_WIDTH + 5 * FTOP))
        ((FW >= need)) || pilot_fail "message $PILOT_MESSAGES_SEEN is $FW px wide: its title" \
            "bar needs $need px to show \"$(xdotool getwindowname "$id")\" whole"
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
        # The window as the pilot sees it, with the window manager's frame and title bar.
        pilot_frame "$2"
        import -window root -crop "${FW}x${FH}+${FX}+${FY}" +repage "$PILOT_SHOTS/$1.png"
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
