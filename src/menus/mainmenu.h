// The main menu, the play submenu and the career screen.
#pragma once
#include "game/next.h"

// Main menu over an already drawn backdrop; dispatches the chosen entry. The exit
// entry ends the program.
Next run_main_menu();
// Play submenu: career, song selection, tutorial, highscores, back.
Next run_play_submenu();
// Career screen: a backdrop and a footer until B.
void career();
