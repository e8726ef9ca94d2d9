#ifndef TONETABLES_H
#define TONETABLES_H

#include "core/tonemapping.h"

// The per-channel tables of the tone steps, for a chain that applies
// several of them in one pass.
namespace tonetables {

// v + delta clamped to 0..255.
tonemapping::ChannelTable brightness(int delta);
// (v − 128) × F + 128, as ContrastAdjuster describes it.
tonemapping::ChannelTable contrast(int amount);
// Brightness +10, then contrast 15.
tonemapping::ChannelTable autoEnhance();

} // namespace tonetables

#endif // TONETABLES_H
