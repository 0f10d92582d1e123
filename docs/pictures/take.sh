#!/usr/bin/env bash
# Takes the README's pictures with the demo scripts, at 60 steps per second, on an Xvfb display of
# its own: the game's window at 640 x 480 in a scratch copy of the stage folder (build/stage), the
# scripts' pointer positions moved with the window's centre so that they steer as they do at
# 1024 x 768.
set -euo pipefail
cd "$(dirname "$0")"
pictures=$PWD
stage=$(cd ../../build/stage && pwd)
scripts=$(cd ../../tools/run && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$stage/data" "$work/"
ln -s "$stage/models" "$stage/textures" "$work/"
sed -i 's/^winResX=.*/winResX=640/; s/^winResY=.*/winResY=480/' "$work/data/game.ini"

# take PICTURE SCRIPT SHOT: saves the script's screenshot SHOT as PICTURE.png.
take() {
    local frame
    frame=$(awk -v shot="$3" '$2 == "shot" && $3 == shot { print $1 }' "$scripts/$2")
    awk '$2 == "move" { $3 -= 192; $4 -= 144 } $2 != "shot" { print }' "$scripts/$2" >"$work/script.txt"
    (cd "$work" && xvfb-run -a -s "-screen 0 1024x768x24" "$stage/zorvan-run" --data . --dt 1/60 \
        --script script.txt --frames $((frame + 1)) --shot "$frame:$pictures/$1.png" >/dev/null 2>&1)
}

take spawn demo.txt demo_01_spawn.png
take door demo.txt demo_07_door_rising.png
take cannon enemies_demo.txt enemies_01_cannon_fires.png
take above level_tour.txt tour_04_above.png
