#ifndef ENCODEROPTIONS_H
#define ENCODEROPTIONS_H

#include "job/jobsettings.h"

// What the writers read: the quality, 1 to 100, which each encoder maps
// onto its own scale, and the choices beyond it. The format table lists,
// for each written format, the choices its writer reads; a writer ignores
// the others, so any of them is valid whatever the chosen format.
namespace option {
extern const Option<int> quality;
// JPEG: scans of increasing detail instead of one scan from the top.
extern const Option<bool> progressive;
// JPEG: the colour resolution against the brightness's, a key of
// presets::chromaSubsamplings.
extern const Option<QString> chromaSubsampling;
// PNG: zlib's level 0 to 9; -1 takes it from the quality, as a run always
// did (level 1 at quality 85, none at 100).
extern const Option<int> pngCompression;
extern const Option<bool> webpLossless;
extern const Option<bool> jxlLossless;
extern const Option<int> jxlEffort;
// The resolution written into the file, in dots per inch; 0 keeps the
// input's.
extern const Option<int> dpi;
} // namespace option

namespace presets {
extern const PresetEntry chroma420, chroma422, chroma444;
extern const PresetList chromaSubsamplings;
} // namespace presets

#endif // ENCODEROPTIONS_H
