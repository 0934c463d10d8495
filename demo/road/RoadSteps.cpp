#include "RoadSteps.h"

#include <cstdio>

namespace road {

bool RunRoad(const std::vector<ROAD_STEP>& steps) {
    for (const ROAD_STEP& step : steps) {
        std::string why;
        const bool seen = step.run(why);
        if (seen)
            std::printf("step %s: seen\n", step.name);
        else
            std::printf("step %s: NOT seen (%s)\n", step.name, why.c_str());
        std::fflush(stdout);
        if (!seen) {
            Screenshot(std::string("not-seen-") + step.name);
            return false;
        }
    }
    return true;
}

void Screenshot(const std::string& name) {
    std::printf("shot %s\n", name.c_str());
    std::fflush(stdout);
    char answer[64];
    if (!std::fgets(answer, sizeof(answer), stdin)) return;
}

}  // namespace road
