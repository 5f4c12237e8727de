#!/usr/bin/env bash
# Runs the real Windows updater (tests/e2e/updater_check) under Wine against
# update_server.py in each of its modes and checks the outcome of every check:
# the event, whether the user was asked, whether the installer was downloaded
# and whether it ran. Prints one PASS or FAIL line per expectation.
#
#   run_updater_check.sh [path/to/updater_check.exe]
set -u
root="$(cd "$(dirname "$0")/../.." && pwd)"
exe="${1:-$root/build/win64/tests/e2e/updater_check/updater_check.exe}"
export WINEPREFIX="${WINEPREFIX:-/tmp/upd-prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$@"
fi
work="$(mktemp -d /tmp/upd-e2e.XXXXXX)"
failures=0
server_pid=""

pass() { echo "PASS $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
    server_pid=""
  fi
}
trap stop_server EXIT

# start_server NAME MODE [server args...]: sets port
start_server() {
  local name="$1" mode="$2"; shift 2
  python3 "$root/tests/e2e/update_server.py" "$mode" "$@" \
    >"$work/$name.port" 2>"$work/$name.server.log" &
  server_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/$name.port" ] && break
    sleep 0.1
  done
  port="$(head -n 1 "$work/$name.port")"
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# check NAME ADDRESS [check args...]: output in $work/NAME.out
check() {
  local name="$1" address="$2"; shift 2
  # Windows ends the printed lines with CR LF.
  wine "$exe" "$address" "$@" 2>"$work/$name.err" | tr -d '\r' >"$work/$name.out"
}

expect_line() {  # NAME TEXT
  if grep -qxF -- "$2" "$work/$1.out"; then pass "$1: $2"; else
    fail "$1: expected '$2', got: $(tr '\n' '|' <"$work/$1.out")"; fi
}
expect_no_line_starting() {  # NAME PREFIX
  if grep -q -- "^$2" "$work/$1.out"; then fail "$1: unexpected '$2'"; else pass "$1: no '$2'"; fi
}
expect_downloaded() {  # NAME yes|no
  local got=no
  grep -q "GET /setup.cmd" "$work/$1.server.log" && got=yes
  if [ "$got" = "$2" ]; then pass "$1: downloaded=$2"; else fail "$1: downloaded=$got, expected $2"; fi
}
expect_ran() {  # NAME yes|no: the installer writes its marker when started
  local marker="$work/$1.marker" got=no tries=50 i
  # A started installer may take a moment; one that never starts gets 2 s.
  [ "$2" = no ] && tries=20
  for i in $(seq "$tries"); do
    [ -f "$marker" ] && break
    sleep 0.1
  done
  [ -f "$marker" ] && got=yes
  if [ "$got" = "$2" ]; then pass "$1: installer ran=$2"; else fail "$1: installer ran=$got, expected $2"; fi
}
download_folders() {
  find "$WINEPREFIX/drive_c/users" -maxdepth 4 -type d -name 'Framewright-update-*' 2>/dev/null | wc -l
}
value_of() { sed -n "s/^$2: //p" "$work/$1.out" | head -n 1; }

# run_mode NAME MODE EVENT ASKED DOWNLOADED RAN [check args...]
run_mode() {
  local name="$1" mode="$2" event="$3" asked="$4" downloaded="$5" ran="$6"; shift 6
  start_server "$name" "$mode" --marker "$(windows_path "$work/$name.marker")"
  local folders_before
  folders_before="$(download_folders)"
  check "$name" "http://127.0.0.1:$port/framewright.inf" "$@"
  expect_line "$name" "event: $event"
  if [ "$asked" = yes ]; then expect_line "$name" "question: 9.0.0.0"; else
    expect_no_line_starting "$name" "question"; fi
  expect_downloaded "$name" "$downloaded"
  expect_ran "$name" "$ran"
  if [ "$ran" = no ]; then
    # A download that was not started must not be left behind.
    if [ "$(download_folders)" = "$folders_before" ]; then pass "$name: nothing left in temp"; else
      fail "$name: a download folder was left in temp"; fi
  fi
  stop_server
}

wine wineboot -i >/dev/null 2>&1 || true

run_mode newer-yes newer InstallerStarted yes yes yes --answer yes
run_mode newer-no newer LaterUpgrade yes no no --answer no
run_mode same same NoUpdateAvailable no no no --answer yes
run_mode mismatch mismatch Aborted yes yes no --answer yes
run_mode garbage garbage NoUpdateAvailable no no no --answer yes
run_mode hostile hostile NoUpdateAvailable no no no --answer yes
run_mode oversize oversize NoUpdateAvailable no no no --answer yes
run_mode missing missing NoUpdateAvailable no no no --answer yes
run_mode redirect redirect InstallerStarted yes yes yes --answer yes
run_mode redirect-away redirect-away NoUpdateAvailable no no no --answer yes

# The real message box, answered by the check program as a user would.
start_server dialog newer --marker "$(windows_path "$work/dialog.marker")"
check dialog "http://127.0.0.1:$port/framewright.inf" --answer dialog-yes
expect_line dialog "question-text: A newer version of Framewright (9.0.0.0) is available. Do you want to download and install it now?"
expect_line dialog "event: InstallerStarted"
expect_ran dialog yes
stop_server

# Nobody listens on the port.
free_port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')"
check unreachable "http://127.0.0.1:$free_port/framewright.inf" --answer yes
expect_line unreachable "event: HostUnreachable"

# Addresses the updater refuses to use: nothing is fetched.
check plain-http-elsewhere "http://www.brimvale.example/framewright.inf" --answer yes
expect_line plain-http-elsewhere "event: Aborted"
check other-scheme "ftp://127.0.0.1/framewright.inf" --answer yes
expect_line other-scheme "event: Aborted"

# HTTPS with a certificate nobody vouches for: refused, never read.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 \
  -keyout "$work/tls.key" -out "$work/tls.crt" >/dev/null 2>&1
start_server untrusted newer --tls "$work/tls.crt" "$work/tls.key" \
  --marker "$(windows_path "$work/untrusted.marker")"
check untrusted "https://127.0.0.1:$port/framewright.inf" --answer yes
expect_line untrusted "event: HostUnreachable"
expect_no_line_starting untrusted "question"
# WinHTTP completes the handshake, then refuses the certificate and sends nothing.
if grep -q "GET " "$work/untrusted.server.log"; then
  fail "untrusted: a request was sent over an untrusted connection"
else
  pass "untrusted: no request was sent"
fi
stop_server

# A slow server: the UI thread keeps running while the check waits.
start_server slow slow --delay 3
check slow "http://127.0.0.1:$port/framewright.inf" --answer yes
expect_line slow "event: NoUpdateAvailable"
elapsed="$(value_of slow elapsed-ms)"
gap="$(value_of slow largest-gap-ms)"
start="$(value_of slow start-ms)"
if [ "${elapsed:-0}" -ge 2900 ]; then pass "slow: answered after ${elapsed} ms"; else
  fail "slow: answered after ${elapsed:-?} ms, before the server's delay"; fi
if [ "${start:-9999}" -lt 100 ]; then pass "slow: StartCheck returned after ${start} ms"; else
  fail "slow: StartCheck took ${start:-?} ms"; fi
echo "INFO slow: largest gap between 50 ms UI timer ticks during the check: ${gap} ms"
stop_server

# The updater destroyed in the middle of a check: no hang, no late event.
start_server destroyed slow --delay 3
check destroyed "http://127.0.0.1:$port/framewright.inf" --answer yes --destroy-after-ms 500
expect_line destroyed "event: none"
expect_no_line_starting destroyed "late-event"
destroy="$(value_of destroyed destroy-ms)"
if [ "${destroy:-9999}" -lt 100 ]; then pass "destroyed: destruction took ${destroy} ms"; else
  fail "destroyed: destruction took ${destroy:-?} ms"; fi
stop_server

echo "outputs in $work"
if [ "$failures" -ne 0 ]; then
  echo "$failures expectation(s) failed"
  exit 1
fi
echo "all expectations met"
