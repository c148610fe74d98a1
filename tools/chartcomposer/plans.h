// The song plans: each writes one song's music as grid events (see phrase.h).
#pragma once

#include "phrase.h"

Composition compose_paranoid(const SongStyle &style);
Composition compose_highwaytohell(const SongStyle &style);
Composition compose_aceofspades(const SongStyle &style);
Composition compose_runtothehills(const SongStyle &style);
Composition compose_forwhomthebellstolls(const SongStyle &style);
Composition compose_tutorial(const SongStyle &style);
