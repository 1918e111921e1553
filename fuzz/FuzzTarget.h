#pragma once

#include <cstddef>
#include <cstdint>

// The entry point of every fuzz target: one input, any bytes. It must return 0 and never crash, hang or
// leak, whatever the bytes are.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
