#!/bin/sh
# launcher_test.sh LAUNCHER SAMPLE: the launcher's first and later starts, in a tree laid out as
# installed, with a stand-in for Velnora that notes the folder it was started in.
set -eu
launcher=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/prefix/bin" "$work/prefix/share/velnora"
cp "$launcher" "$work/prefix/bin/velnora-launcher"
cp "$sample" "$work/prefix/share/velnora/dorvanel.mdb"
cat > "$work/prefix/bin/Velnora" <<'STANDIN'
#!/bin/sh
pwd > "$VELNORA_TEST_STARTED_IN"
STANDIN
chmod +x "$work/prefix/bin/Velnora" "$work/prefix/bin/velnora-launcher"
export VELNORA_TEST_STARTED_IN="$work/started-in"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# start HOME XDG_DATA_HOME: runs the launcher, as the desktop entry does, from the home folder.
start() {
    rm -f "$VELNORA_TEST_STARTED_IN"
    (cd "$1" && HOME="$1" XDG_DATA_HOME="$2" "$work/prefix/bin/velnora-launcher") || fail "the launcher failed"
}

expect_started_in() {
    [ "$(cat "$VELNORA_TEST_STARTED_IN" 2>/dev/null)" = "$1" ] || fail "$2: Velnora was not started in $1"
    if ls -a "$1" | grep -q '^\.dorvanel'; then fail "$2: a temporary copy was left in $1"; fi
}

# The first start, without XDG_DATA_HOME: the default folder is made, with the sample in it.
mkdir "$work/home1"
start "$work/home1" ""
folder="$work/home1/.local/share/velnora"
cmp -s "$folder/dorvanel.mdb" "$sample" || fail "first start: the sample was not put in $folder"
[ -w "$folder/dorvanel.mdb" ] || fail "first start: the sample copy cannot be written"
expect_started_in "$folder" "first start"

# A later start keeps the reader's own collection, whatever it holds.
echo "the reader's own collection" > "$folder/dorvanel.mdb"
start "$work/home1" ""
[ "$(cat "$folder/dorvanel.mdb")" = "the reader's own collection" ] || fail "later start: the collection was replaced"
expect_started_in "$folder" "later start"

# A link named dorvanel.mdb, even one that leads nowhere, is the reader's and stays.
mkdir -p "$work/home2/.local/share/velnora"
ln -s "$work/elsewhere.mdb" "$work/home2/.local/share/velnora/dorvanel.mdb"
start "$work/home2" ""
[ "$(readlink "$work/home2/.local/share/velnora/dorvanel.mdb")" = "$work/elsewhere.mdb" ] ||
    fail "link: the reader's link was replaced"
[ ! -e "$work/elsewhere.mdb" ] || fail "link: the sample was written through the reader's link"

# An absolute XDG_DATA_HOME is used; a relative one is ignored, as the XDG rules say.
mkdir "$work/home3" "$work/data3"
start "$work/home3" "$work/data3"
cmp -s "$work/data3/velnora/dorvanel.mdb" "$sample" || fail "XDG_DATA_HOME: the collection is not in it"
expect_started_in "$work/data3/velnora" "XDG_DATA_HOME"
start "$work/home3" "relative/data"
expect_started_in "$work/home3/.local/share/velnora" "relative XDG_DATA_HOME"
[ ! -e "$work/home3/relative" ] || fail "relative XDG_DATA_HOME: a folder was made relative to the home"

# Without the sample (a damaged installation) Velnora still starts there and says the file is missing.
rm "$work/prefix/share/velnora/dorvanel.mdb"
mkdir "$work/home4"
start "$work/home4" ""
[ ! -e "$work/home4/.local/share/velnora/dorvanel.mdb" ] || fail "no sample: a collection was made up"
expect_started_in "$work/home4/.local/share/velnora" "no sample"

[ "$failures" -eq 0 ] || exit 1
echo "launcher: all cases passed"
