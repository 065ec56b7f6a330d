# Sourced by the sessions on a real X server. The caller has set `work` (its temporary folder),
# a `pids` array its cleanup ends, and `fail`.

# poll <seconds> <command...>: true as soon as the command succeeds.
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# An Xvfb on a free display number that the server picks itself; DISPLAY names it.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  poll 15 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=:$(head -n1 "$work/display")
}
