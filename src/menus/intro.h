// The intro: five splash images, each skippable with the A button.
#pragma once

// Pass counter of the intro across all five splashes; never reset.
extern int intro_logo;

void intro();
