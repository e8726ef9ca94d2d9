#include "run/options.h"

#include "formats/formattable.h"
#include "pipeline/chain.h"

namespace option {
constexpr Option<QString> format = declare::preset("format", presets::formats, 1)
        .valueWord("format", "Output format (same: each input's own, JPG for a format not written)",
                   "FMT", "f").widget("formatComboBox");
constexpr Option<QString> metadata = declare::preset("metadata", presets::metadataChoices)
        .valueWord("metadata", "What the outputs carry of the inputs' EXIF, XMP and IPTC (the colour profile "
                   "stays): all, all but the location (EXIF's GPS tags and XMP's exif:GPS properties; also "
                   "--strip-gps) or none (also --strip-metadata)", "WHICH")
        .widget("metadataComboBox");
constexpr Option<QString> artist = declare::text("artist", "")
        .valueWord("artist", "Write TEXT as EXIF Artist and XMP dc:creator (empty: as the input has it)", "TEXT")
        .widget("artistLineEdit");
constexpr Option<QString> copyright = declare::text("copyright", "")
        .valueWord("copyright", "Write TEXT as EXIF Copyright and XMP dc:rights (empty: as the input has it)",
                   "TEXT")
        .widget("copyrightLineEdit");
constexpr Option<QString> keepDates = declare::preset("keepDates", presets::outputDates)
        .valueWord("keep-dates", "Give each output the modification time of its input (modified, which the "
                   "word alone means) or the time its input was taken (taken; its modification time when it "
                   "holds none)", "WHEN")
        .alone(presets::modifiedDates).widget("keepDatesComboBox");
constexpr Option<QString> ifExists = declare::preset("ifExists", presets::existingOutputs)
        .valueWord("if-exists", "What becomes of an output file that exists before the run (rename writes "
                   "beside it with _2, _3 ...)", "P")
        .widget("ifExistsComboBox");
constexpr Option<int> jobs = declare::integer("jobs", 0, 1, 256)
        .valueWord("jobs", "Inputs processed at once", "N", "j").byDefault("the number of CPU cores");
constexpr Option<bool> exactResize = declare::flag("exactResize")
        .setsFlag("exact-resize", "Decode every pixel of a JPEG before shrinking it, instead of a half, "
                  "quarter or eighth of them: slower, and exactly the pixels of a full decode.");
constexpr Option<bool> batchRename = declare::flag("batchRename")
        .help("Name the outputs with a prefix and a number").widget("batchRenameCheckBox");
constexpr Option<QString> batchPrefix = declare::text("batchPrefix", "image")
        .valueWord("rename", "Name the outputs PREFIX_0001.ext, PREFIX_0002.ext, ...", "PREFIX")
        .enables(batchRename).widget("batchPrefixLineEdit").resetByLanguageSwitch();
constexpr Option<QString> nameTemplate = declare::text("nameTemplate", "{name}_processed")
        .valueWord("name", "Name the outputs from TEMPLATE: {name} {n} {date} {date:FORMAT} {width} "
                   "{height} {format}", "TEMPLATE")
        .widget("nameTemplateLineEdit");
constexpr Option<bool> keepTree = declare::flag("keepTree")
        .setsFlag("keep-tree", "Write each picture found under a folder at its place below that folder, "
                  "inside the output folder.")
        .widget("keepTreeCheckBox");
constexpr Option<QString> reportFile = declare::text("reportFile", "")
        .valueWord("report", "Add one JSON line per input to FILE as each input ends", "FILE");
} // namespace option

const QList<const OptionDeclaration *> &optionDeclarations()
{
    static const QList<const OptionDeclaration *> options = [] {
        QList<const OptionDeclaration *> list = {&option::format, &option::quality};
        // The writers' own options follow the format table, each once.
        for (const FileFormat &format : fileFormats()) {
            for (const OptionDeclaration *declared : format.encoderOptions) {
                if (!list.contains(declared))
                    list << declared;
            }
        }
        list << QList<const OptionDeclaration *>{&option::metadata,      &option::artist,
                                                 &option::copyright,
                                                 &option::keepDates,     &option::ifExists,
                                                 &option::jobs,          &option::exactResize,
                                                 &option::batchRename,   &option::batchPrefix,
                                                 &option::nameTemplate,  &option::keepTree,
                                                 &option::reportFile};
        for (const ChainStep *step : chainSteps()) {
            for (const OptionDeclaration *declared : step->options)
                list << declared;
        }
        return list;
    }();
    return options;
}
