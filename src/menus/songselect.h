// Song selection: page through the five songs and start one.
#pragma once
#include "app/flow.h"

Next song_selection();
