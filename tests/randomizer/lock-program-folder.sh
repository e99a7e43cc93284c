#!/bin/sh
# A program folder nobody may write to, not even root (the immutable attribute): the randomizer
# beside its picture library, with a list of three start-up screens and a wallpaper that the test
# writes into a folder of its own. Where the file system has no such attribute the folder stays
# writable and the test skips itself.
# Usage: lock-program-folder.sh lock <folder> <QZRandom.exe> <NViewLib.dll> <pictures folder>
#        lock-program-folder.sh unlock <folder>
set -u
folder="$2"
chattr -i "$folder" 2>/dev/null
[ "$1" = unlock ] && exit 0
mkdir -p "$folder"
cp "$3" "$4" "$folder/"
pictures="Z:$(printf '%s' "$5" | tr '/' '\\')"
printf '[START]\r\n%s\\1.bmp\r\n%s\\2.bmp\r\n%s\\3.bmp\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n' \
    "$pictures" "$pictures" "$pictures" >"$folder/QZDATA.QZD"
printf '[WALLPAPER]\r\n%s\\wall.bmp, Centred\r\n' "$pictures" >>"$folder/QZDATA.QZD"
chattr +i "$folder" 2>/dev/null || true
