# Sourced by the display scripts: StopProcess PID asks a process to end, then
# kills it if it is still there after 5 s.
# shellcheck shell=bash disable=SC2317 # run from the scripts' clean-ups
StopProcess() {
    local pid=$1
    [[ -n "$pid" ]] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
