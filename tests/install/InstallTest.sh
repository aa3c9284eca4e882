#!/usr/bin/env bash
# InstallTest BUILD_DIR VERSION: installs the build into a fresh prefix and runs what was installed
# from there: both programs' --version, and the window, started offscreen and asked to quit.
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d /tmp/quellin-install.XXXXXX)
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "InstallTest: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/quellin bin/quellin-cli libexec/quellin/quellin-sphinx-check \
    share/applications/quellin.desktop share/metainfo/org.quellin.Quellin.metainfo.xml \
    share/icons/hicolor/scalable/apps/quellin.svg share/icons/hicolor/{16x16,48x48,512x512}/apps/quellin.png \
    share/man/man1/quellin.1 share/man/man1/quellin-cli.1; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
# The menu entry, its description and its icon agree with one another.
appstreamcli validate-tree --no-net "$prefix" >/dev/null || fail "appstreamcli validate-tree: $(appstreamcli validate-tree --no-net "$prefix")"

[ "$("$prefix/bin/quellin-cli" --version)" = "quellin-cli $version" ] || fail "quellin-cli --version"
# --help and --version need no display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quellin" --version)" = "quellin $version" ] ||
    fail "quellin --version"

# The window, with a home of its own; its hand-over socket says it is up, SIGTERM quits it.
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen
export XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache XDG_CONFIG_HOME=$HOME/.config
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/quellin" &
app=$!
for _ in $(seq 300); do
    [ -S "$XDG_RUNTIME_DIR/quellin.socket" ] && break
    kill -0 "$app" 2>/dev/null || fail "the installed window ended by itself"
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/quellin.socket" ] || fail "the installed window did not start"
sleep 1
kill -TERM "$app"
status=0
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "the installed window quit with status $status"
echo "InstallTest: passed"
