#include "composition/gridcell.h"

#include "core/regioncopy.h"

QImage splitGrid(const QImage &image, int rows, int cols)
{
    if (rows <= 0 || cols <= 0)
        return image;
    const int cellWidth = image.width() / cols;
    const int cellHeight = image.height() / rows;
    return copyRegion(image, QRect(cols / 2 * cellWidth, rows / 2 * cellHeight, cellWidth, cellHeight));
}

namespace option {
constexpr const OptionDeclaration *gridColumnPart[] = {&gridCols};
constexpr Option<bool> gridSplit = declare::flag("gridSplit")
        .help("Keep the middle cell of a grid laid over the picture").widget("gridSplitCheckBox");
constexpr Option<int> gridRows = declare::integer("gridRows", 3, 1, 10)
        .valueWord("grid", "Keep the middle cell of a grid of ROWSxCOLUMNS", "RxC").enables(gridSplit)
        .parts('x', gridColumnPart).widget("gridRowsSpinBox").resetByLanguageSwitch();
constexpr Option<int> gridCols = declare::integer("gridCols", 3, 1, 10)
        .help("Columns of the grid whose middle cell is kept").widget("gridColsSpinBox").resetByLanguageSwitch();
} // namespace option

namespace {

QString gridEmptyReason(const QImage &image, const JobSettings &s)
{
    return image.width() < s.value(option::gridCols) || image.height() < s.value(option::gridRows)
            ? QStringLiteral("the picture is smaller than the grid")
            : QString();
}

constexpr const OptionDeclaration *gridOptions[] = {&option::gridSplit, &option::gridRows, &option::gridCols};

} // namespace

namespace steps {
constexpr ChainStep gridCell{
    "grid cell", gridOptions, [](const JobSettings &s) { return s.value(option::gridSplit); },
    [](const QImage &image, const JobSettings &s) {
        return splitGrid(image, s.value(option::gridRows), s.value(option::gridCols));
    },
    gridEmptyReason};
} // namespace steps
