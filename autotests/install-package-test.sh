#!/bin/bash
#
# Installs the build into a staging directory and builds and runs a program
# that finds the library with find_package(PexoTheme) and includes every
# installed header.
#
#   install-package-test.sh BUILD_DIR CONSUMER_SOURCE_DIR

set -eu
build=$1
consumer=$2
stage=$PEXO_SANDBOX/stage
work=$TMPDIR/consumer

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
headers=("$stage"/usr/include/PexoTheme/*.h)
[[ -e ${headers[0]} ]] || { echo "FAIL: no headers installed" >&2; exit 1; }

mkdir -p "$work"
{
    for header in "${headers[@]}"; do
        echo "#include <${header##*/}>"
    done
    cat <<'END'
int main()
{
    qCWarning(PEXO_THEME_LOG) << Utils::stripQuotes(QStringLiteral("\"quoted\""));
    return PEXO_THEME_LOG().isWarningEnabled() && !PEXO_THEME_LOG().isInfoEnabled() ? 0 : 1;
}
END
} >"$work/main.cpp"

cmake -S "$consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$stage/usr" -DCONSUMER_SOURCE="$work/main.cpp" >"$work/configure.log" ||
    { cat "$work/configure.log"; echo "FAIL: find_package(PexoTheme) from the staging directory" >&2; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; echo "FAIL: the consumer does not build" >&2; exit 1; }
out=$(LD_LIBRARY_PATH=$(dirname "$(find "$stage" -name 'libPexoTheme.so' -print -quit)") "$work/build/consumer" 2>&1) ||
    { echo "FAIL: the consumer failed: $out" >&2; exit 1; }
[[ $out == 'ru.ulvarlinux.theme: "quoted"' ]] || { echo "FAIL: unexpected output '$out'" >&2; exit 1; }

categories=$stage/usr/share/qlogging-categories5/pexotheme.categories
for name in ru.ulvarlinux.theme ru.ulvarlinux.kcm.theme.core ru.ulvarlinux.kcm.theme.utils; do
    grep -q "^$name .*DEFAULT_SEVERITY \[WARNING\]" "$categories" || { echo "FAIL: $name is not in $categories" >&2; exit 1; }
done
echo "the installed package builds a consumer"
