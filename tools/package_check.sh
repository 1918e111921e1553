#!/usr/bin/env bash
# package_check.sh BUILD_DIR: builds the Debian package in BUILD_DIR, checks its contents and metadata,
# installs it on this machine, starts the installed program as the menu does (the desktop entry's
# command, offscreen, against a fresh home folder), checks that it opened the sample collection, and
# removes the package again. Needs root or sudo.
set -euo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y)

fail() {
    echo "package check: FAIL: $*" >&2
    exit 1
}

cd "$build"
rm -f velnora_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; fail "cpack -G DEB failed"; }
deb=$(ls velnora_*.deb)
echo "package check: built $deb"

# Contents and metadata.
listing=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in ./usr/bin/Velnora ./usr/bin/velnora-import ./usr/bin/velnora-launcher \
    ./usr/libexec/velnora/velnora-jet-reader ./usr/share/applications/velnora.desktop \
    ./usr/share/icons/hicolor/48x48/apps/velnora.png ./usr/share/metainfo/org.olvandar.velnora.metainfo.xml \
    ./usr/share/velnora/dorvanel.mdb; do
    grep -qx "$path" <<<"$listing" || fail "$deb holds no $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "package check: Depends: $depends"
for library in libqt6widgets6 libsqlite3 libmdb3; do
    grep -q "$library" <<<"$depends" || fail "the computed dependencies name no $library"
done
unpacked=$(mktemp -d)
cleanup_unpacked() { rm -rf "$unpacked"; }
trap cleanup_unpacked EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/velnora.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.olvandar.velnora.metainfo.xml" ||
    fail "appstreamcli validate"

# Installing it would replace a Velnora installed by hand, and removing it would take that away.
if dpkg-query -W -f='${Status}' velnora 2>/dev/null | grep -q 'install ok installed'; then
    fail "a velnora package is installed on this machine already; remove it first (apt-get remove velnora)"
fi

home=$(mktemp -d)
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    "${apt[@]}" purge velnora >/dev/null 2>&1 || true
    [ ! -e "$build/src/db/jet/velnora-jet-reader" ] || chmod a+x "$build/src/db/jet/velnora-jet-reader"
    rm -rf "$home" "$unpacked"
}
trap cleanup EXIT
"${apt[@]}" install "./$deb" >apt-install.log 2>&1 || { cat apt-install.log >&2; fail "apt-get install ./$deb"; }
echo "package check: installed"

collection="$home/.local/share/velnora/dorvanel.mdb"

# holds_open PID FILE SECONDS: whether the process has the file open within that time.
holds_open() {
    local deadline=$((SECONDS + $3))
    while [ $SECONDS -lt $deadline ]; do
        kill -0 "$1" 2>/dev/null || return 1
        for fd in /proc/"$1"/fd/*; do
            [ "$(readlink "$fd" 2>/dev/null)" = "$2" ] && return 0
        done
        sleep 0.5
    done
    return 1
}

# The old menu start, the program itself in the home folder, opens no collection: the check below
# can tell the two apart.
(cd "$home" && exec env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen /usr/bin/Velnora) \
    >/dev/null 2>&1 &
pid=$!
! holds_open "$pid" "$home/dorvanel.mdb" 5 || fail "Velnora opened a dorvanel.mdb in the empty home folder"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

# The menu start: the desktop entry's command, run from the home folder.
command=$(sed -n 's/^Exec=//p' /usr/share/applications/velnora.desktop)
[ "$command" = velnora-launcher ] || fail "the desktop entry runs '$command', not the launcher"
(cd "$home" && exec env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen PATH=/usr/bin:/bin "$command") \
    >"$build/package-start.log" 2>&1 &
pid=$!
holds_open "$pid" "$collection" 30 || { cat "$build/package-start.log" >&2; fail "the menu start did not open $collection"; }
[ "$(readlink /proc/"$pid"/exe)" = /usr/bin/Velnora ] || fail "the launcher did not run /usr/bin/Velnora"
[ "$(readlink /proc/"$pid"/cwd)" = "$(dirname "$collection")" ] || fail "Velnora was not started in the collection folder"
sleep 3
kill -0 "$pid" 2>/dev/null || fail "Velnora ended after opening the collection"
# The reader adds its search index to the file, so the entries are compared, not the bytes.
entries() { sqlite3 -readonly -cmd ".timeout 10000" "$1" "SELECT * FROM Table1 ORDER BY 1"; }
[ "$(entries "$collection")" = "$(entries /usr/share/velnora/dorvanel.mdb)" ] ||
    fail "the collection does not hold the packaged sample's entries"
[ "$(sqlite3 "$collection" 'SELECT count(*) FROM Query1')" -gt 0 ] || fail "the sample collection is empty"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "package check: the menu start opened the sample collection $collection"

# The installed importer reads an Access file through the installed helper in /usr/libexec/velnora/.
# The helper of the build tree is made unusable meanwhile, so that it cannot stand in for it.
built_helper="$build/src/db/jet/velnora-jet-reader"
chmod a-x "$built_helper"
imported=0
/usr/bin/velnora-import "$here/tests/data/jet/3685111.mdb" "$home/imported.mdb" >"$build/package-import.log" 2>&1 &&
    imported=1
chmod a+x "$built_helper"
[ "$imported" -eq 1 ] || { cat "$build/package-import.log" >&2; fail "the installed velnora-import failed"; }
[ "$(sqlite3 "$home/imported.mdb" 'SELECT count(*) FROM book')" = 1 ] || fail "the import holds no book row"
echo "package check: the installed velnora-import read an Access file through its helper"

"${apt[@]}" purge velnora >/dev/null 2>&1 || fail "apt-get purge velnora"
[ ! -e /usr/bin/Velnora ] || fail "/usr/bin/Velnora is still there after the removal"
echo "package check: removed; all passed"
