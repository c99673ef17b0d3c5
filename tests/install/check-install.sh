#!/bin/sh
# Installs the build into a fresh prefix and checks what the desktop needs: the program, a
# menu entry that desktop-file-validate accepts without a remark, an AppStream description that
# `appstreamcli validate --no-net --strict` accepts, the icon as a 32 x 32 PNG in the hicolor
# theme, all three named by the application id, and the saved reading's file type, which the
# desktop's own tools (update-mime-database, xdg-mime) then give to a .kvl file.
#
# usage: check-install.sh <build folder> <application id>
#
# The installation runs with --component Unspecified: that is every install rule of the project
# (none names a component), but CMake then lists the installed files in
# install_manifest_Unspecified.txt, so the install_manifest.txt of a real installation, which
# uninstalling reads, stays as it is.
#
# Pedantic AppStream notes are not checked: the only one is releases-info-missing, because the
# project keeps no dated release history.
set -u
build=$1 id=$2
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-install.XXXXXX") || exit 1
trap 'rm -rf "$prefix"' EXIT INT TERM
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" --component Unspecified || { echo "FAIL: cmake --install"; exit 1; }

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
icon=$prefix/share/icons/hicolor/32x32/apps/$id.png
mime=$prefix/share/mime/packages/$id.xml
type=application/x-tovrin-reading
[ -x "$prefix/bin/tovrin" ] || fail "bin/tovrin is missing or not executable"
for file in "$desktop" "$metainfo" "$icon" "$mime"; do
    [ -s "$file" ] || fail "${file#"$prefix"/} is missing or empty"
done

if [ -s "$desktop" ]; then
    remarks=$(desktop-file-validate "$desktop" 2>&1)
    status=$?
    [ "$status" -eq 0 ] && [ -z "$remarks" ] \
        || fail "desktop-file-validate (exit status $status): $remarks"
    # The entry starts the installed program and shows the installed icon.
    exec_line=$(sed -n 's/^Exec=//p' "$desktop")
    [ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not a program in bin/"
    grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
    grep -qx "MimeType=$type;" "$desktop" || fail "the desktop entry does not open $type"
    case $exec_line in *" %f") ;; *) fail "Exec=$exec_line takes no file (%f)" ;; esac
    # On X11 a desktop ties a window to its entry by the window's class, the program's name.
    grep -qx "StartupWMClass=tovrin" "$desktop" || fail "the desktop entry does not name the windows' class"
fi

# The installed program looks for its libraries only where the system keeps them.
readelf -d "$prefix/bin/tovrin" | grep -q '(R\(UN\)\{0,1\}PATH)' \
    && fail "bin/tovrin carries a library search path: $(readelf -d "$prefix/bin/tovrin" | grep PATH)"

# Qt's own options are passed over, whatever they are, before --version answers.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tovrin" -icon x.png -testability -qwindowtitle T -visual 0x21 --version 2>&1)
case $shown in "tovrin "[0-9]*) ;; *) fail "tovrin with Qt's options and --version said \"$shown\"" ;; esac

# An empty argument names no file: the start goes on, here as far as the missing display.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tovrin" "" 2>&1)
case $shown in *"cannot tell where"*) fail "tovrin \"\" said \"$shown\"" ;; esac

# A file named from a folder that has since been removed cannot be found, nor handed to a
# running copy: the start says so and fails, before it needs a window system.
gone=$prefix/gone
mkdir "$gone"
shown=$(cd "$gone" && rmdir "$gone" && env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tovrin" ours.kvl 2>&1)
status=$?
[ "$status" -eq 1 ] && case $shown in *"ours.kvl"*"folder is gone"*) true ;; *) false ;; esac \
    || fail "tovrin ours.kvl from a removed folder (exit status $status) said \"$shown\""

if [ -s "$metainfo" ]; then
    appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate --no-net --strict"
    grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
        || fail "the AppStream description does not launch $id.desktop"
    grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the AppStream description does not provide $type"
fi

if [ -s "$mime" ]; then
    XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" || fail "update-mime-database"
    sample=$prefix/sample.kvl
    printf 'o\302\224\302\215\302\223\r\n' > "$sample"
    # XDG_DATA_DIRS: only this prefix's file types; a generic desktop: xdg-mime asks mimetype.
    found=$(env XDG_DATA_HOME="$prefix/nothing" XDG_DATA_DIRS="$prefix/share" XDG_CURRENT_DESKTOP= \
            DE=generic xdg-mime query filetype "$sample" 2>&1)
    [ "$found" = "$type" ] || fail "xdg-mime query filetype sample.kvl gave \"$found\", not $type"
    # The program opens .kvl only in lower case; the desktop must not offer it anything else. GIO,
    # as file managers type files, heeds the glob's case (xdg-mime's generic tool does not).
    cp "$sample" "$prefix/SAMPLE.KVL"
    for file in sample.kvl SAMPLE.KVL; do
        found=$(env XDG_DATA_HOME="$prefix/nothing" XDG_DATA_DIRS="$prefix/share" GIO_USE_VFS=local \
                gio info -a standard::content-type "$prefix/$file" 2>&1 | sed -n 's/^ *standard::content-type: //p')
        case $file in
            *.kvl) [ "$found" = "$type" ] || fail "gio gives $file the type \"$found\", not $type" ;;
            *) [ "$found" != "$type" ] || fail "gio gives $file the type $type, which the program refuses" ;;
        esac
    done
fi

if [ -s "$icon" ]; then
    # A PNG starts with its signature, then the IHDR chunk: width and height, 4 bytes each.
    signature=$(od -A n -t x1 -N 8 "$icon" | tr -d ' \n')
    size=$(od -A n -t u1 -j 16 -N 8 "$icon" | tr -s ' ' | sed 's/^ //')
    [ "$signature" = 89504e470d0a1a0a ] || fail "the icon is not a PNG"
    [ "$size" = "0 0 0 32 0 0 0 32" ] || fail "the icon is not 32 x 32 (IHDR: $size)"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed and valid: bin/tovrin, $id.desktop, $id.metainfo.xml, hicolor 32x32 $id.png, $type"
