#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests and benchmarks: a fresh data folder in a
# temporary directory, listening on localhost only, trusting local users, no durability (its
# data is thrown away).
#   scripts/pg_cluster.sh start DIR   starts a cluster in DIR on a free port; prints its URL
#                                     (postgresql://vm@localhost:PORT/postgres)
#   scripts/pg_cluster.sh stop DIR    stops it and removes DIR
set -euo pipefail
command=${1:?start or stop}
dir=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_owner=()
if [[ $(id -u) -eq 0 ]]; then as_owner=(runuser -u postgres --); fi

case "$command" in
start)
    mkdir -p "$dir"
    [[ $(id -u) -eq 0 ]] && chown postgres "$dir"
    port=54340
    while (echo >"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
    "${as_owner[@]}" "$bin/initdb" -D "$dir/data" -A trust -U vm -E UTF8 --locale=C.UTF-8 >/dev/null
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w -o \
        "-p $port -k $dir -c listen_addresses=localhost -c fsync=off -c full_page_writes=off -c max_connections=200" \
        start >/dev/null
    echo "postgresql://vm@localhost:$port/postgres"
    ;;
stop)
    [[ -d $dir/data ]] && "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null || true
    rm -rf "$dir"
    ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
