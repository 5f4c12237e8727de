#!/usr/bin/env bash
# Runs the native stand-in game in a throw-away installation and checks what
# it leaves behind: the demo log's layout, the records of what it was given,
# the screenshot and every fault of gamesim.ini.
# Usage: selftest.sh [path to the native gamesim binary]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
binary="${1:-$here/../../build/native/tools/gamesim/gamesim}"
if [ ! -x "$binary" ]; then
  echo "gamesim binary not found: $binary" >&2
  exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

pass() { echo "ok - $1"; }
fail() { echo "FAIL - $1" >&2; failures=$((failures + 1)); }
check() {  # name, command...
  local name="$1"; shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}

install="$work/Crysis"
bin="$install/Bin64"
levels="$install/Game/Levels"
docs="$work/Documents"
shots="$docs/My Games/Crysis/ScreenShots"
log="$levels/Island/benchmark_gpu.log"
export FW_GAMESIM_DOCUMENTS="$docs"

fresh_install() {
  rm -rf "$install" "$docs"
  mkdir -p "$bin" "$levels/Island" "$levels/ice" "$docs"
  cp "$binary" "$bin/Crysis.exe"
  printf 'tmd' > "$levels/Island/benchmark_gpu.tmd"
  printf 'tmd' > "$levels/Island/night.tmd"
}

# Runs the game from its own folder, as the benchmark does; sets $rc.
play() {  # exe name, arguments...
  local exe="$1"; shift
  rc=0
  (cd "$bin" && "./$exe" "$@") || rc=$?
}

gpu_args=(-DEVMODE +map island +demo benchmark_gpu +r_Width 800 +r_Height 600
  +r_Fullscreen 1 +demo_num_runs 3 +demo_quit 1 +s_SoundEnable 0 +s_MusicEnable 0 -DX10
  +demo_time_of_day = 16 r_Texture_Anisotropic_Level = 8 +r_FSAA = 1 +r_FSAA_samples = 4
  +r_FSAA_quality = 0)

line_count() { [ -f "$1" ] && wc -l < "$1" || echo 0; }
all_lines_crlf() { [ "$(grep -c $'\r$' "$1")" -eq "$(wc -l < "$1")" ] && [ "$(tail -c 2 "$1" | od -An -tx1 | tr -d ' \n')" = "0d0a" ]; }

# The layout of one playback of $2 runs, line by line.
layout_ok() {  # file, runs
  local file="$1" runs="$2"
  tr -d '\r' < "$file" | awk -v runs="$runs" '
    function fail(why) { print "line " NR ": " why ": " $0 > "/dev/stderr"; bad = 1 }
    BEGIN { rule = "=============================================================="; n = 5 * runs + 4 }
    NR == 1 || NR == n { if ($0 != rule) fail("rule"); next }
    NR == 2 { if ($0 != "TimeDemo Play Started , (Total Frames: 2000, Recorded Time: 111.86s)") fail("start"); next }
    NR == n - 1 { if ($0 != "TimeDemo Play Ended, (" runs " Runs Performed)") fail("end"); next }
    NR > n { fail("extra"); next }
    {
      k = (NR - 3) % 5; run = int((NR - 3) / 5)
      if (k == 0 && $0 != "!TimeDemo Run " run " Finished.") fail("run head")
      if (k == 1) {
        if ($0 !~ /^    Play Time: [0-9]+\.[0-9][0-9]s, Average FPS: [0-9]+\.[0-9][0-9]$/) fail("average")
        avg[run] = $NF + 0
      }
      if (k == 2) {
        if ($0 !~ /^    Min FPS: [0-9]+\.[0-9][0-9] at frame [0-9]+, Max FPS: [0-9]+\.[0-9][0-9] at frame [0-9]+$/) fail("min max")
        if (!($4 + 0 < avg[run] && avg[run] < $9 + 0)) fail("min < average < max")
      }
      if (k == 3 && $0 !~ /^    Average Tri\/Sec: -?[0-9]+, Tri\/Frame: -?[0-9]+$/) fail("tris")
      if (k == 4 && $0 !~ /^    Recorded\/Played Tris ratio: -?[0-9]+\.[0-9][0-9]$/) fail("ratio")
    }
    END {
      if (NR != n) { print "lines: " NR ", expected " n > "/dev/stderr"; bad = 1 }
      for (r = 1; r < runs; ++r) if (!(avg[0] < avg[r])) { print "first run not slower" > "/dev/stderr"; bad = 1 }
      exit bad
    }'
}

average_of_last_run() { tr -d '\r' < "$1" | grep 'Average FPS:' | tail -n 1 | sed 's/.*Average FPS: //'; }
is_jpeg() { [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' \n')" = "ffd8" ] && [ "$(tail -c 2 "$1" | od -An -tx1 | tr -d ' \n')" = "ffd9" ]; }

# --- a normal playback -------------------------------------------------------
fresh_install
printf 'con_restricted = 0\r\nr_Width = 800\r\n' > "$install/autoexec.cfg"
play Crysis.exe "${gpu_args[@]}" +demo_screenshot_frame 850
check "normal start exits with 0" [ "$rc" -eq 0 ]
check "demo log has the game's layout for three runs" layout_ok "$log" 3
check "demo log lines end with CR LF" all_lines_crlf "$log"
check "command line recorded as received" \
  [ "$(cat "$bin/gamesim-commands.log")" = "./Crysis.exe ${gpu_args[*]} +demo_screenshot_frame 850"$'\r' ]
check "autoexec.cfg recorded between its frame lines" \
  [ "$(cat "$bin/gamesim-autoexec.log")" = $'--- autoexec.cfg ---\r\ncon_restricted = 0\r\nr_Width = 800\r\n--- end ---\r' ]
check "start folder recorded" [ "$(cat "$bin/gamesim-cwd.log")" = "$(cd "$bin" && pwd)"$'\r' ]
check "Game.log written" grep -q 'Resolution: 800x600' "$install/Game.log"
check "screenshot ScreenShot0000.jpg is a JPEG" is_jpeg "$shots/ScreenShot0000.jpg"
check "JPEG names what was played" grep -q 'stand-in game screenshot, 800x600, DirectX 10, frame 850' "$shots/ScreenShot0000.jpg"
first_log="$(cat "$log")"

play Crysis.exe "${gpu_args[@]}" +demo_screenshot_frame 850 -DX9
check "a second playback is appended" [ "$(line_count "$log")" -eq 38 ]
check "the first playback is kept as it was" [ "$(head -c ${#first_log} "$log")" = "$first_log" ]
check "the appended playback has the same layout" layout_ok <(tail -n 19 "$log") 3
check "screenshot numbers count up" is_jpeg "$shots/ScreenShot0001.jpg"
check "Game.log is rewritten at every start" [ "$(grep -c 'Log Started' "$install/Game.log")" -eq 1 ]
check "records are appended" [ "$(line_count "$bin/gamesim-commands.log")" -eq 2 ]

# --- figures -------------------------------------------------------------------
figures() {  # arguments...; prints the last run's average
  rm -f "$log"
  play Crysis.exe +map island +demo benchmark_gpu +demo_num_runs 2 "$@"
  average_of_last_run "$log"
}
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
fresh_install
printf 'seed=11\n' > "$bin/gamesim.ini"
base="$(figures +r_Width 1024 +r_Height 768 -DX9)"
check "same seed and settings give the same figures" [ "$(figures +r_Width 1024 +r_Height 768 -DX9)" = "$base" ]
check "a larger picture is slower" less_than "$(figures +r_Width 1920 +r_Height 1200 -DX9)" "$base"
check "DirectX 10 is slower" less_than "$(figures +r_Width 1024 +r_Height 768 -DX10)" "$base"
check "anti-aliasing is slower" less_than "$(figures +r_Width 1024 +r_Height 768 +r_FSAA = 1 +r_FSAA_samples = 8)" "$base"
check "filtering is slower" less_than "$(figures +r_Width 1024 +r_Height 768 r_Texture_Anisotropic_Level = 16)" "$base"
printf 'seed=12\n' > "$bin/gamesim.ini"
check "another seed gives other figures" [ "$(figures +r_Width 1024 +r_Height 768 -DX9)" != "$base" ]
rm -f "$bin/gamesim.ini"
rm -f "$log"
play Crysis.exe +map island +demo benchmark_gpu
check "one run by default" layout_ok "$log" 1

# --- which demo is played ---------------------------------------------------------
fresh_install
play Crysis.exe +map ISLAND +demo night.tmd
check "a demo name with .tmd plays that file and logs to name.log" layout_ok "$levels/Island/night.log" 1
check "no name.tmd.log appears" [ ! -e "$levels/Island/night.tmd.log" ]
rm -f "$levels/Island/night.log"
play Crysis.exe +map island +demo missing +demo_screenshot_frame 10
check "a missing demo exits with 0" [ "$rc" -eq 0 ]
check "a missing demo writes no log" [ -z "$(find "$levels" -name '*.log')" ]
check "a missing demo takes no screenshot" [ ! -e "$shots" ]
play Crysis.exe +map ice +demo benchmark_gpu
check "a demo of another level is not found" [ -z "$(find "$levels" -name '*.log')" ]
play Crysis.exe +map island +demo ../Island/benchmark_gpu
check "a demo name cannot leave its level folder" [ -z "$(find "$levels" -name '*.log')" ]
cp "$binary" "$bin/k3x9qa.exe"
play k3x9qa.exe -DEVMODE +map island +demo benchmark_gpu +demo_num_runs 2
check "the game runs under a random name" layout_ok "$log" 2
check "the random name is recorded" grep -q '^./k3x9qa.exe -DEVMODE' "$bin/gamesim-commands.log"

# --- faults from gamesim.ini ---------------------------------------------------------
fault_run() {  # ini text; plays two runs with a screenshot
  fresh_install
  printf '%s' "$1" > "$bin/gamesim.ini"
  play Crysis.exe -DEVMODE +map island +demo benchmark_gpu +demo_num_runs 2 +demo_screenshot_frame 5
}

fault_run $'fault=nolog\r\n'
check "nolog: exit 0" [ "$rc" -eq 0 ]
check "nolog: no demo log" [ ! -e "$log" ]

fault_run 'fault=shortlog'
check "shortlog: exactly 5 x runs + 2 lines" [ "$(line_count "$log")" -eq 12 ]
check "shortlog: every line ends with CR LF" all_lines_crlf "$log"
check "shortlog: the playback is not ended" bash -c "! grep -q 'Play Ended' '$log'"

fault_run 'fault=comma'
check "comma: decimal commas" grep -q $'^    Play Time: [0-9]*,[0-9][0-9]s, Average FPS: [0-9]*,[0-9][0-9]\r$' "$log"
check "comma: no decimal points" bash -c "! grep -q '[0-9]\.[0-9]' '$log'"

fault_run 'fault=runaway'
check "runaway: no demo log" [ ! -e "$log" ]
check "runaway: Game.log names the error" grep -q $'^\\[Error\\] Runaway thread\r$' "$install/Game.log"

fault_run 'fault=crash'
check "crash: exit code 3" [ "$rc" -eq 3 ]
check "crash: no demo log" [ ! -e "$log" ]
check "crash: no screenshot" [ ! -e "$shots" ]

fault_run 'fault=handover'
check "handover: without Windows the started program does the work" layout_ok "$log" 2

fault_run 'fault=nolabel'
check "nolabel: no Average FPS label" bash -c "! grep -q 'Average FPS:' '$log'"
check "nolabel: the log is still complete" [ "$(line_count "$log")" -eq 14 ]

fault_run 'fault=garbage'
check "garbage: frame rates are not numbers" grep -q $'^    Min FPS: abc at frame [0-9]*, Max FPS: abc at frame [0-9]*\r$' "$log"

fault_run $'colour=blue\nfault=unheard-of\n'
check "unknown keys and faults: a normal playback" layout_ok "$log" 2

fresh_install
play Crysis.exe +map island +demo benchmark_gpu +fault crash +demo_num_runs 1
check "the command line never selects a fault" layout_ok "$log" 1

fault_run 'duration_ms=300'
check "duration: a playback that runs its time writes its log" layout_ok "$log" 2

# A long playback, ended from outside before it writes its log.
fresh_install
printf 'duration_ms=60000\n' > "$bin/gamesim.ini"
(cd "$bin" && exec ./Crysis.exe +map island +demo benchmark_gpu) &
game=$!
for _ in $(seq 1 200); do
  [ -s "$install/Game.log" ] && break
  sleep 0.05
done
check "duration: still running after its start" kill -0 "$game"
check "duration: no log while it plays" [ ! -e "$log" ]
kill "$game"
wait "$game" 2>/dev/null || true
check "duration: a game ended early leaves no log" [ ! -e "$log" ]

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
