#pragma once

namespace tonvela {

// The runtime's pseudo-random generator: results 0..32767, the classic
// linear congruential step. Thread-safe; one sequence for the process.
constexpr int RAND_LIMIT = 32767;

int rand();
void srand(unsigned int seed);
// The sequence's state: srand() with it takes the sequence up again from
// here, which takes back draws made ahead of their turn.
unsigned int randState();
// Seeds with the current time, as the runtime does where the system seeds it.
void srandFromTime();

} // namespace tonvela
