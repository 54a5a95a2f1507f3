#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests: its cluster, its Unix socket and its log live in
# DIR, it listens on no TCP port and trusts every local connection but those of one role, which
# must give its password (scram-sha-256), so that the tests can show how a password is asked for:
#   role "password_user", password "tajne hasło 7" (may create databases)
#   scripts/pg-test-server.sh start DIR   creates the cluster when DIR has none, starts it and waits
#                                         until it accepts connections (socket folder: DIR/socket)
#   scripts/pg-test-server.sh stop DIR    stops it (immediately) and removes DIR
# Run as root, the server runs as the unprivileged user "nobody" (PostgreSQL refuses root).
set -euo pipefail
action=${1:-}
dir=${2:-}
if [ -z "$action" ] || [ -z "$dir" ]; then
  echo "usage: $0 start|stop DIR" >&2
  exit 2
fi
bindir=${PG_BINDIR:-}
if [ -z "$bindir" ]; then
  for candidate in /usr/lib/postgresql/*/bin; do bindir=$candidate; done
fi
if [ ! -x "$bindir/pg_ctl" ]; then
  echo "PostgreSQL server programs not found (install the package postgresql)" >&2
  exit 1
fi
as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  as_owner=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
run() { "${as_owner[@]}" "$@"; }
password_role=password_user
password_secret='tajne hasło 7'

case "$action" in
start)
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  mkdir -p "$dir/socket"
  if [ "$(id -u)" -eq 0 ]; then chown -R nobody:nogroup "$dir"; fi
  # A server left running by an interrupted run is stopped first.
  if [ -f "$dir/data/postmaster.pid" ] && run "$bindir/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; then
    run "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  fi
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    run "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
      || { cat "$dir/initdb.log" >&2; exit 1; }
    # The role with a password comes before the lines that trust everybody: the first match counts.
    hba="$dir/data/pg_hba.conf"
    { echo "local all $password_role scram-sha-256"; cat "$hba"; } >"$hba.new"
    mv "$hba.new" "$hba"
    if [ "$(id -u)" -eq 0 ]; then chown nobody:nogroup "$hba"; fi
  fi
  # Small buffers and no durability: the cluster is thrown away after the tests.
  run "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$dir/socket' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200 -c shared_buffers=32MB" \
    start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  run "$bindir/psql" -X -q -h "$dir/socket" -U postgres -d postgres -v ON_ERROR_STOP=1 >/dev/null <<SQL \
    || { echo "cannot create the role $password_role" >&2; exit 1; }
SET client_min_messages = warning;
DO \$\$ BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '$password_role') THEN
    CREATE ROLE $password_role LOGIN CREATEDB PASSWORD '$password_secret';
  END IF;
END \$\$;
SQL
  echo "$dir/socket"
  ;;
stop)
  [ -d "$dir" ] || exit 0
  dir=$(cd "$dir" && pwd)
  if [ -f "$dir/data/postmaster.pid" ]; then
    run "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
