#pragma once

#include <functional>

// What a benchmark keeps from one run to the next and must let go of while the
// application object still exists, windows above all. The benchmark program
// releases it all, the last kept first, before its application object ends.
void releaseBeforeExit(std::function<void()> release);
void releaseAll();
