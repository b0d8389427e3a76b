#pragma once

#include <QString>

#include "config/error.h"
#include "image/memory_image.h"

// The radio's memory from a channel file of `blocks` blocks (0: 128, or 256 when the file needs it); a short
// file leaves the rest FF, as in a radio that was never written there.
Error loadSimImage(const QString& path, int blocks, MemoryImage* image);
