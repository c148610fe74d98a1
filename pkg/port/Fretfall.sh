#!/bin/bash
# Fretfall's launcher for the handhelds' port collection: finds the collection, takes the
# device's settings and controller mapping from it, and starts the game full screen from
# its port folder, where the progress and highscores stay.

XDG_DATA_HOME=${XDG_DATA_HOME:-$HOME/.local/share}

if [ -d "/opt/system/Tools/PortMaster/" ]; then
  controlfolder="/opt/system/Tools/PortMaster"
elif [ -d "/opt/tools/PortMaster/" ]; then
  controlfolder="/opt/tools/PortMaster"
elif [ -d "$XDG_DATA_HOME/PortMaster/" ]; then
  controlfolder="$XDG_DATA_HOME/PortMaster"
else
  controlfolder="/roms/ports/PortMaster"
fi

source "$controlfolder/control.txt"
[ -f "$controlfolder/mod_${CFW_NAME}.txt" ] && source "$controlfolder/mod_${CFW_NAME}.txt"
get_controls

GAMEDIR="/$directory/ports/fretfall"
cd "$GAMEDIR"
> "$GAMEDIR/log.txt" && exec > >(tee "$GAMEDIR/log.txt") 2>&1

# The game's own libraries; the firmware's SDL2 (below them) drives the display and sound.
export LD_LIBRARY_PATH="$GAMEDIR/libs.${DEVICE_ARCH}:$LD_LIBRARY_PATH"
# The game reads the device's pad through SDL's controller layer, with the firmware's mapping.
export SDL_GAMECONTROLLERCONFIG="$sdl_controllerconfig"
# game_save and data/ (the highscores) are kept in the port folder, so an update keeps them;
# songs/ takes the player's song folders.
mkdir -p "$GAMEDIR/data" "$GAMEDIR/songs"

# gptokeyb only for the firmware's exit hot-key: no keys are made from the pad.
$GPTOKEYB "fretfall.${DEVICE_ARCH}" &
pm_platform_helper "$GAMEDIR/fretfall.${DEVICE_ARCH}"
./fretfall.${DEVICE_ARCH} --fullscreen

pm_finish
