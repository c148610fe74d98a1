// Guitar gallery: four guitars unlocked by wins.
#pragma once
#include "app/flow.h"

Next guitar_gallery();
