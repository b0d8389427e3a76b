#pragma once

#include "image/memory_image.h"
#include "sim_options.h"

// Runs the virtual radio until a signal, a hang-up or the last radio of a fleet; returns the exit code.
int runSim(const SimOptions& options, const MemoryImage& image);
