#!/bin/sh
# Makes the manual page PAGE.gz with help2man from what PROGRAM prints for --help and --version,
# adding the sections of INCLUDE.
#
# usage: make-manpage.sh HELP2MAN PROGRAM INCLUDE PAGE.gz
#
# help2man hands the program's name to the shell, which would split a path with a blank in it
# (a build folder under "My Projects") or read its quotes and dollars: the program runs as
# ./NAME from its own folder instead.
set -eu
help2man=$1 program=$2 include=$3 page=${4%.gz}
cd "$(dirname "$program")"
LC_ALL=C.UTF-8 "$help2man" --no-info --section=1 --include="$include" --output="$page" "./$(basename "$program")"
gzip -9 -n -f "$page"
