#pragma once

#include <utility>

#include "config/error.h"
#include "image/memory_image.h"
#include "image/radio_settings.h"

// Settings blocks A (block 0) and B (block 1) <-> the settings lists, the tune values and the model code.
namespace SettingsCodec {

// Decodes block A and, when given, block B, in the documented order. Fails with 380 when a list cannot
// take the stored value (time-out above 1F, squelch not decimal or above 9, priority outside 1-16 in
// layout 1) and with the settings decoded so far applied. The tune options are applied before the
// function byte is recomputed, so the kept byte matches what was loaded.
Error decode(const Block& a, const Block* b, const QString& modelCodeText, RadioSettings& settings);

// The two blocks from the kept bytes, the lists and the tune values; block B byte 7 is FF.
// Fails when a kept byte has never been computed or no model code is known.
Error encode(const RadioSettings& settings, quint8 modelCode, Block* a, Block* b);

// The time-out byte of a list text ("关闭" -> 00, "150s" -> 0F).
quint8 timeoutByte(const QString& text);

} // namespace SettingsCodec
