#pragma once

#include <string>
#include <vector>

// Optional: a fuzzer may define this to hand the standalone driver well-formed inputs,
// which it then mutates; without it the driver mutates its own random inputs. libFuzzer
// builds ignore it.
std::vector<std::string> fuzzSeeds() __attribute__((weak));
