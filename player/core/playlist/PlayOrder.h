// Play orders of the play list (the PlayOrder setting).
#pragma once

enum {
    PLAY_ORDER_SEQUENTIAL = 0,  // the next item; none after the last
    PLAY_ORDER_RANDOM = 1,      // a random item not yet played since the pool was filled
    PLAY_ORDER_LOOP = 2,        // the next item; the first after the last
};
