#pragma once

#include "config/error.h"
#include "image/channel_table.h"
#include "image/current_model.h"
#include "image/memory_image.h"
#include "image/radio_settings.h"

// The image a write sends: the channel-file image of the current state, with the function byte
// recomputed from the lists first, and byte 7 of settings block B set to the last used channel - the
// highest channel whose receive cell is neither blank nor "OFF" (00 when there is none). Only the radio
// path carries that byte; channel files keep FF there.
Error buildWriteImage(const CurrentModel& model, const ChannelTable& table, RadioSettings settings,
                      MemoryImage* image);
