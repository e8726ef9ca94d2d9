#include "job/presets.h"

#include <QStringList>
#include <QtGlobal>

QString PresetList::words() const
{
    QStringList accepted;
    for (const PresetEntry &entry : *this) {
        if (entry.word)
            accepted << QString::fromUtf8(entry.word);
    }
    return accepted.join(QLatin1Char(' '));
}

int PresetList::indexOfWord(const QString &text) const
{
    for (int index = 0; index < count; ++index) {
        const char *word = at(index).word;
        if (word && text.compare(QString::fromUtf8(word), Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

// Earlier versions keyed the "off" entries and the filters by their Chinese
// text, so a text that is no key is looked up among the texts.
QString PresetList::currentKey(const QString &stored) const
{
    for (const PresetEntry &entry : *this) {
        if (entry.is(stored))
            return stored;
    }
    for (const PresetEntry &entry : *this) {
        if (stored == QString::fromUtf8(entry.sourceText))
            return QString::fromUtf8(entry.key);
    }
    return stored;
}

namespace presets {

constexpr PresetEntry noFilter{"none", nullptr, QT_TRANSLATE_NOOP("MainWindow", "无")};
constexpr PresetEntry blur{"blur", "blur", QT_TRANSLATE_NOOP("MainWindow", "模糊")};
constexpr PresetEntry grayscale{"grayscale", "grayscale", QT_TRANSLATE_NOOP("MainWindow", "灰度")};
constexpr PresetEntry vintage{"vintage", "vintage", QT_TRANSLATE_NOOP("MainWindow", "复古")};
constexpr PresetEntry edgeDetection{"edge-detection", "edge-detection",
                                    QT_TRANSLATE_NOOP("MainWindow", "边缘检测")};
constexpr PresetEntry emboss{"emboss", "emboss", QT_TRANSLATE_NOOP("MainWindow", "浮雕")};
constexpr PresetEntry oilPainting{"oil-painting", "oil-painting",
                                  QT_TRANSLATE_NOOP("MainWindow", "油画")};
constexpr const PresetEntry *filterEntries[] = {&noFilter,      &blur,   &grayscale,  &vintage,
                                                &edgeDetection, &emboss, &oilPainting};
constexpr PresetList filters(filterEntries);

constexpr PresetEntry originalRatio{"original", nullptr, QT_TRANSLATE_NOOP("MainWindow", "原始比例")};
constexpr PresetEntry square{"1:1", "1:1", QT_TRANSLATE_NOOP("MainWindow", "1:1 (正方形)")};
constexpr PresetEntry ratio4x3{"4:3", "4:3", QT_TRANSLATE_NOOP("MainWindow", "4:3")};
constexpr PresetEntry ratio16x9{"16:9", "16:9", QT_TRANSLATE_NOOP("MainWindow", "16:9")};
constexpr PresetEntry ratio3x2{"3:2", "3:2", QT_TRANSLATE_NOOP("MainWindow", "3:2")};
constexpr const PresetEntry *aspectRatioEntries[] = {&originalRatio, &square, &ratio4x3, &ratio16x9,
                                                     &ratio3x2};
constexpr PresetList aspectRatios(aspectRatioEntries);

constexpr PresetEntry customSize{"custom", nullptr, QT_TRANSLATE_NOOP("MainWindow", "自定义")};
constexpr PresetEntry size640x480{"640x480", "640x480", QT_TRANSLATE_NOOP("MainWindow", "640x480 (VGA)")};
constexpr PresetEntry size800x600{"800x600", "800x600", QT_TRANSLATE_NOOP("MainWindow", "800x600 (SVGA)")};
constexpr PresetEntry size1024x768{"1024x768", "1024x768",
                                   QT_TRANSLATE_NOOP("MainWindow", "1024x768 (XGA)")};
constexpr PresetEntry size1280x720{"1280x720", "1280x720",
                                   QT_TRANSLATE_NOOP("MainWindow", "1280x720 (HD)")};
constexpr PresetEntry size1920x1080{"1920x1080", "1920x1080",
                                    QT_TRANSLATE_NOOP("MainWindow", "1920x1080 (Full HD)")};
constexpr PresetEntry size1080x1080{"1080x1080", "1080x1080",
                                    QT_TRANSLATE_NOOP("MainWindow", "1080x1080 (Instagram)")};
constexpr PresetEntry size1200x1200{"1200x1200", "1200x1200",
                                    QT_TRANSLATE_NOOP("MainWindow", "1200x1200")};
constexpr const PresetEntry *standardSizeEntries[] = {
    &customSize,   &size640x480,   &size800x600,   &size1024x768,
    &size1280x720, &size1920x1080, &size1080x1080, &size1200x1200};
constexpr PresetList standardSizes(standardSizeEntries);

constexpr PresetEntry topLeft{"0", "top-left", QT_TRANSLATE_NOOP("MainWindow", "左上角")};
constexpr PresetEntry topRight{"1", "top-right", QT_TRANSLATE_NOOP("MainWindow", "右上角")};
constexpr PresetEntry bottomLeft{"2", "bottom-left", QT_TRANSLATE_NOOP("MainWindow", "左下角")};
constexpr PresetEntry bottomRight{"3", "bottom-right", QT_TRANSLATE_NOOP("MainWindow", "右下角")};
constexpr PresetEntry centre{"4", "center", QT_TRANSLATE_NOOP("MainWindow", "中心")};
constexpr const PresetEntry *watermarkPositionEntries[] = {&topLeft, &topRight, &bottomLeft,
                                                           &bottomRight, &centre};
constexpr PresetList watermarkPositions(watermarkPositionEntries);

constexpr PresetEntry points{"points", nullptr, QT_TRANSLATE_NOOP("MainWindow", "磅")};
constexpr PresetEntry percentOfShorterSide{"percent", nullptr, QT_TRANSLATE_NOOP("MainWindow", "% 短边")};
constexpr const PresetEntry *watermarkSizeUnitEntries[] = {&points, &percentOfShorterSide};
constexpr PresetList watermarkSizeUnits(watermarkSizeUnitEntries);

constexpr PresetEntry smoothFilter{"smooth", "smooth", QT_TRANSLATE_NOOP("MainWindow", "平滑")};
constexpr PresetEntry lanczos3Filter{"lanczos3", "lanczos3", QT_TRANSLATE_NOOP("MainWindow", "Lanczos 3 (细节清晰)")};
constexpr PresetEntry bilinearFilter{"bilinear", "bilinear", QT_TRANSLATE_NOOP("MainWindow", "双线性")};
constexpr PresetEntry nearestFilter{"nearest", "nearest", QT_TRANSLATE_NOOP("MainWindow", "最近邻")};
constexpr const PresetEntry *resampleFilterEntries[] = {&smoothFilter, &lanczos3Filter, &bilinearFilter,
                                                        &nearestFilter};
constexpr PresetList resampleFilters(resampleFilterEntries);

constexpr PresetEntry boxSize{"box", nullptr, QT_TRANSLATE_NOOP("MainWindow", "宽 × 高")};
constexpr PresetEntry longEdgeSize{"longEdge", nullptr, QT_TRANSLATE_NOOP("MainWindow", "长边")};
constexpr PresetEntry shortEdgeSize{"shortEdge", nullptr, QT_TRANSLATE_NOOP("MainWindow", "短边")};
constexpr PresetEntry scaleSize{"scale", nullptr, QT_TRANSLATE_NOOP("MainWindow", "百分比")};
constexpr const PresetEntry *sizeModeEntries[] = {&boxSize, &longEdgeSize, &shortEdgeSize, &scaleSize};
constexpr PresetList sizeModes(sizeModeEntries);

constexpr PresetEntry red{"Red", "red", QT_TRANSLATE_NOOP("MainWindow", "红色通道")};
constexpr PresetEntry green{"Green", "green", QT_TRANSLATE_NOOP("MainWindow", "绿色通道")};
constexpr PresetEntry blue{"Blue", "blue", QT_TRANSLATE_NOOP("MainWindow", "蓝色通道")};
constexpr PresetEntry cyan{"Cyan", "cyan", QT_TRANSLATE_NOOP("MainWindow", "青色通道")};
constexpr PresetEntry magenta{"Magenta", "magenta", QT_TRANSLATE_NOOP("MainWindow", "洋红通道")};
constexpr PresetEntry yellow{"Yellow", "yellow", QT_TRANSLATE_NOOP("MainWindow", "黄色通道")};
constexpr const PresetEntry *channelEntries[] = {&red, &green, &blue, &cyan, &magenta, &yellow};
constexpr PresetList channels(channelEntries);

constexpr PresetEntry replaceExisting{"replace", "replace", QT_TRANSLATE_NOOP("MainWindow", "替换")};
constexpr PresetEntry renameBeside{"rename", "rename", QT_TRANSLATE_NOOP("MainWindow", "改名保存")};
constexpr PresetEntry skipExisting{"skip", "skip", QT_TRANSLATE_NOOP("MainWindow", "跳过")};
constexpr const PresetEntry *existingOutputEntries[] = {&replaceExisting, &renameBeside,
                                                        &skipExisting};
constexpr PresetList existingOutputs(existingOutputEntries);

constexpr PresetEntry keepMetadata{"keep", "keep", QT_TRANSLATE_NOOP("MainWindow", "全部保留")};
constexpr PresetEntry removeLocation{"no-location", "no-location", QT_TRANSLATE_NOOP("MainWindow", "去除位置信息"),
                                     "strip-gps"};
constexpr PresetEntry removeMetadata{"none", "none", QT_TRANSLATE_NOOP("MainWindow", "全部去除"),
                                     "strip-metadata"};
constexpr const PresetEntry *metadataChoiceEntries[] = {&keepMetadata, &removeLocation, &removeMetadata};
constexpr PresetList metadataChoices(metadataChoiceEntries);

constexpr PresetEntry newDates{"off", "off", QT_TRANSLATE_NOOP("MainWindow", "写出时间")};
constexpr PresetEntry modifiedDates{"modified", "modified", QT_TRANSLATE_NOOP("MainWindow", "原文件修改时间")};
constexpr PresetEntry takenDates{"taken", "taken", QT_TRANSLATE_NOOP("MainWindow", "拍摄时间")};
constexpr const PresetEntry *outputDateEntries[] = {&newDates, &modifiedDates, &takenDates};
constexpr PresetList outputDates(outputDateEntries);

} // namespace presets
