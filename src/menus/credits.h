// Credits roll.
#pragma once
#include "app/flow.h"

Next credits();
