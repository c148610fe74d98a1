// Highscore table: each song's highscore file, page by page, best scores first.
#pragma once
#include "game/next.h"

extern int select_score; // page shown, one per catalogue entry; kept for the whole run

// One page per catalogue entry, in catalogue order.
int hiscore_pages();
// Song index whose file page `page` shows (0..4, 99 for the tutorial), or -1 off the pages.
int page_song(int page);
// Title of page `page`, blanks included, or "" off the pages.
const char *page_title(int page);

// Draws page select_score: backdrop, footer, header, title and the ten best rows of its
// file, read again when the page or the file's identity, size or modification time changed
// since the last read.
void draw_highscore_page();

// The screen: LEFT and RIGHT page with wrap-around, B goes back to the play submenu.
Next highscore_table();
