#include "formats/encoderoptions.h"

namespace presets {
constexpr PresetEntry chroma420{"420", "420", QT_TRANSLATE_NOOP("MainWindow", "4:2:0")};
constexpr PresetEntry chroma422{"422", "422", QT_TRANSLATE_NOOP("MainWindow", "4:2:2")};
constexpr PresetEntry chroma444{"444", "444", QT_TRANSLATE_NOOP("MainWindow", "4:4:4")};
constexpr const PresetEntry *chromaEntries[] = {&chroma420, &chroma422, &chroma444};
constexpr PresetList chromaSubsamplings(chromaEntries);
} // namespace presets

namespace option {
constexpr Option<int> quality = declare::integer("quality", 85, 1, 100)
        .valueWord("quality", "Encoder quality", "N", "q").widget("qualitySpinBox");
constexpr Option<bool> progressive = declare::flag("progressive")
        .setsFlag("progressive", "Write JPEG files progressive: a coarse picture first, refined by later scans.")
        .widget("progressiveCheckBox");
constexpr Option<QString> chromaSubsampling = declare::preset("chromaSubsampling", presets::chromaSubsamplings)
        .valueWord("chroma-subsampling", "JPEG colour resolution: 420 halves it both ways, 422 across, "
                   "444 keeps it whole", "S")
        .widget("chromaSubsamplingComboBox");
constexpr Option<int> pngCompression = declare::integer("pngCompression", -1, -1, 9)
        .valueWord("png-compression", "PNG compression level, 0 (none, fastest) to 9 (smallest, slowest); "
                   "the pixels are the same at every level", "N")
        .byDefault("-1, from the quality: level 1 at quality 85, none at 100")
        .widget("pngCompressionSpinBox");
constexpr Option<bool> webpLossless = declare::flag("webpLossless")
        .setsFlag("webp-lossless", "Write WebP files lossless, whatever the quality (quality 100 is lossless too).")
        .widget("webpLosslessCheckBox");
constexpr Option<bool> jxlLossless = declare::flag("jxlLossless")
        .setsFlag("jxl-lossless", "Write JPEG XL files lossless, whatever the quality.")
        .widget("jxlLosslessCheckBox");
constexpr Option<int> jxlEffort = declare::integer("jxlEffort", 3, 1, 9)
        .valueWord("jxl-effort", "JPEG XL encoder effort: higher is smaller and slower (7, libjxl's own "
                   "choice, takes about four times as long as 3)", "N")
        .widget("jxlEffortSpinBox");
constexpr Option<int> dpi = declare::integer("dpi", 0, 0, 10000)
        .valueWord("dpi", "Resolution written into JPG, PNG, TIFF and BMP files and into the EXIF "
                   "an output carries, in dots per inch", "N")
        .byDefault("0, the input's own")
        .widget("dpiSpinBox");
} // namespace option
