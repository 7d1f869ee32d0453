#!/usr/bin/env bash
# `zintra serve` on the bundled installation answers `zintra send`, says
# where it listens and ends with status 0 on SIGTERM; `send` without a
# service fails with status 1.
#   cli_service_test.sh ZINTRA INSTALLATION
set -u
zintra=$1
cd "$2" || exit 2
port=$((20000 + $$ % 20000))
log=$(mktemp)
trap 'rm -f "$log"' EXIT

if "$zintra" send --port "$port" 'hello' 2>/dev/null; then
    echo "send without a service succeeded"; exit 1
fi

"$zintra" serve --port "$port" >"$log" 2>&1 &
server=$!
for _ in $(seq 1 100); do
    grep -q "serving on 127.0.0.1:$port" "$log" && break
    sleep 0.1
done
grep -q "serving on 127.0.0.1:$port" "$log" || { echo "no listening line: $(cat "$log")"; kill "$server"; exit 1; }

reply=$("$zintra" send --port "$port" '<H1>Lesson01-01</H1><P>I am a student.</P>')
case "$reply" in
    *"<P>templates/Lesson01-01.xvt</P>"*) ;;
    *) echo "unexpected match reply: $reply"; kill "$server"; exit 1 ;;
esac
query=$("$zintra" send --port "$port" 'What does apple mean?')
case "$query" in
    *'("apple", <course:japanese>'*) ;;
    *) echo "unexpected query reply: $query"; kill "$server"; exit 1 ;;
esac

kill -TERM "$server"
wait "$server"
status=$?
[ "$status" -eq 0 ] || { echo "serve ended with status $status: $(cat "$log")"; exit 1; }
grep -q "stopped by signal" "$log" || { echo "no stop line: $(cat "$log")"; exit 1; }
echo ok
