// The steps of the user's road through the player, each one seen or not, with the reason.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace road {

struct ROAD_STEP {
    const char* name;
    // True when the step was seen; otherwise why it was not.
    std::function<bool(std::string& why)> run;
};

// Runs the steps in order and prints "step <name>: seen" or "step <name>: NOT seen (why)";
// a step not seen ends the road (with a screenshot of how the screen stands). True when every step was seen.
bool RunRoad(const std::vector<ROAD_STEP>& steps);

// Asks the screenshot taker on the other end of standard output for a shot of the
// screen named name, and waits for its answer line (without a taker it goes on at once).
void Screenshot(const std::string& name);

}  // namespace road
