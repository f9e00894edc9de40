#!/usr/bin/env bash
# The Windows check: compiles, for Windows, every source of src/ that CMake builds when it targets
# Windows, that is with each *_posix.cpp replaced by its *_windows.cpp. The compiler is Debian's
# MinGW-w64 g++; Debian has no Qt for MinGW, so the check is syntax only (-fsyntax-only: parsing,
# templates and types, no object code, no linking), against this machine's Qt headers, which take
# _WIN32 for Windows (Q_OS_WIN) as they would on Windows.
#
# How: CMake configures the project into a scratch folder with WIN32 set, which picks the
# *_windows.cpp files as a Windows build would; each source of src/ in its compile_commands.json
# is then compiled by MinGW-w64 with that source's own defines, include folders and warnings
# (warnings are errors). The check fails when a source does not compile for Windows (POSIX-only
# calls such as fsync, newlocale or strtod_l), when a source of src/ (or a header of the project
# it includes) includes a POSIX header that MinGW-w64 ships but Windows' own compiler lacks
# (unistd.h, dirent.h, ...), or when the platform files and CMake's choice disagree.
#
# usage: windows-check.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
compiler=x86_64-w64-mingw32-g++-posix
if ! command -v "$compiler" >/dev/null; then
    echo "windows-check: $compiler is missing (scripts/install-deps.sh --test installs it)" >&2
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
start=$SECONDS

# WIN32 given on the command line is what if(WIN32) reads: the file choice of a Windows build.
if ! cmake -S "$root" -B "$scratch/config" -G Ninja -DWIN32=ON -DTALVO_BUILD_TESTS=OFF \
    -DTALVO_BUILD_BENCH=OFF -DTALVO_FUZZ=OFF -DTALVO_PACKAGING=OFF >"$scratch/configure.log" 2>&1; then
    cat "$scratch/configure.log" >&2
    echo "windows-check: CMake could not configure the project with WIN32 set" >&2
    exit 1
fi

status=0
(python3 - "$root" "$scratch/config/compile_commands.json" "$compiler" <<'PY'
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys

root, database, compiler = sys.argv[1], sys.argv[2], sys.argv[3]
src = os.path.join(root, "src") + os.sep

# POSIX headers that MinGW-w64 ships but Windows' own compiler does not: MinGW would take them,
# a Windows build with the system's compiler would not. The system's and Qt's headers may include
# them; a file of the project may not.
posix_headers = ["unistd.h", "dirent.h", "pthread.h", "sched.h", "semaphore.h", "sys/time.h",
                 "sys/param.h", "sys/file.h", "libgen.h", "strings.h", "getopt.h", "utime.h"]


def relative(path):
    return os.path.relpath(path, root)


def in_project(path):
    return os.path.realpath(path).startswith(src)


def windows_command(entry):
    """The MinGW-w64 command for one entry of compile_commands.json: its defines, include
    folders and warnings, syntax only, with the include tree (-H) to see what it includes."""
    words = shlex.split(entry["command"])
    command = [compiler, "-fsyntax-only", "-H", "-DUNICODE", "-D_UNICODE"]
    skip = False
    for word in words[1:]:
        if skip:
            skip = False
        elif word in ("-o", "-c"):
            skip = True
        elif word in ("-fPIC", "-fPIE") or word == entry["file"]:
            pass
        else:
            command.append(word.replace("/mkspecs/linux-g++", "/mkspecs/win32-g++"))
    return command + [entry["file"]]


def posix_includes(tree):
    """(includer, header) for each POSIX-only header a file of the project includes, read from
    the include tree that -H writes: one line a header, its depth in dots."""
    found = []
    stack = []  # stack[d]: the header at depth d + 1 last seen
    for line in tree.splitlines():
        match = re.match(r"^(\.+) (.+)$", line)
        if not match:
            continue
        depth, header = len(match.group(1)), match.group(2)
        del stack[depth - 1:]
        includer = stack[-1] if stack else None
        stack.append(header)
        if includer is not None and not in_project(includer):
            continue
        for name in posix_headers:
            if header.endswith("/" + name):
                found.append((includer, name))
    return found


def check(entry):
    result = subprocess.run(windows_command(entry), cwd=entry["directory"], capture_output=True,
                            text=True)
    # What the compiler said, without the include tree and its list of headers lacking guards.
    errors = [line for line in result.stderr.splitlines()
              if not re.match(r"^\.+ |^Multiple include guards", line) and not os.path.isfile(line)]
    problems = []
    if result.returncode != 0:
        problems.append("\n".join(errors))
    for includer, name in posix_includes(result.stderr):
        where = relative(os.path.realpath(includer)) if includer else relative(entry["file"])
        problems.append(f"{where}: includes <{name}>, a POSIX header Windows lacks: "
                        "move that code into a *_posix.cpp with a *_windows.cpp beside it")
    return entry["file"], problems


with open(database) as f:
    entries = [e for e in json.load(f) if e["file"].startswith(src)]
files = sorted(e["file"] for e in entries)
problems = [] if entries else ["CMake's Windows configuration builds no source of src/"]

# The platform files: CMake must build every *_windows.cpp and no *_posix.cpp, and each of them
# needs its counterpart. Every other source of src/ is shared and so built for Windows too.
tracked = subprocess.run(["git", "-C", root, "ls-files", "src/*.cpp"], capture_output=True,
                         text=True, check=True).stdout.split()
for name in sorted(tracked):
    path = os.path.join(root, name)
    if name.endswith("_posix.cpp"):
        twin = path[:-len("_posix.cpp")] + "_windows.cpp"
        if path in files:
            problems.append(f"{name}: CMake builds it for Windows")
        if not os.path.exists(twin):
            problems.append(f"{name}: has no {relative(twin)}")
    elif name.endswith("_windows.cpp"):
        if not os.path.exists(path[:-len("_windows.cpp")] + "_posix.cpp"):
            problems.append(f"{name}: has no {name[:-len('_windows.cpp')]}_posix.cpp")
        if path not in files:
            problems.append(f"{name}: CMake does not build it for Windows")
    elif path not in files:
        problems.append(f"{name}: CMake does not build it for Windows (a source only for POSIX "
                        "systems is named *_posix.cpp)")

failed = 0
with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
    for file, file_problems in pool.map(check, sorted(entries, key=lambda e: e["file"])):
        print(("FAILED   " if file_problems else "checked  ") + relative(file))
        for problem in file_problems:
            print("    " + problem.replace("\n", "\n    "))
        failed += bool(file_problems)

for problem in problems:
    print("FAILED   " + problem)
platform = sum(1 for f in files if f.endswith("_windows.cpp"))
version = subprocess.run([compiler, "-dumpversion"], capture_output=True, text=True).stdout.strip()
print(f"Windows check: {len(files)} sources of src/ ({platform} of them *_windows.cpp) compiled "
      f"for Windows, syntax only, by MinGW-w64 g++ {version} with the Qt headers of this machine; "
      f"{failed} failed"
      + (f", {len(problems)} problems with the platform files" if problems else ""))
sys.exit(1 if failed or problems else 0)
PY
) || status=$?
echo "Windows check took $((SECONDS - start)) s."
exit "$status"
