#ifndef JOBSETTINGS_H
#define JOBSETTINGS_H

#include <QColor>
#include <QString>
#include <QStringList>

// The complete input of one run: every option, the keys of the selected
// preset entries, the input paths and the output directory. A plain value,
// filled once before the run starts and read-only afterwards.
struct JobSettings
{
    int width = 0;
    int height = 0;
    int quality = 85;
    QString format = QStringLiteral("JPG");
    QString filter = QStringLiteral("无");
    int filterIntensity = 5;
    QString aspectRatio = QStringLiteral("原始比例");
    QString standardSize = QStringLiteral("自定义");
    int brightness = 0;
    int contrast = 0;
    int saturation = 100;
    int rotation = 0;
    bool flipHorizontal = false;
    bool flipVertical = false;
    bool watermark = false;
    QString watermarkText = QStringLiteral("Watermark");
    QColor watermarkColor = Qt::white;
    int watermarkOpacity = 128;
    int watermarkFontSize = 24;
    int watermarkPositionIndex = 0;
    bool border = false;
    int borderThickness = 10;
    QColor borderColor = Qt::white;
    bool autoEnhanceEnabled = false;
    bool extractChannelEnabled = false;
    QString channel = QStringLiteral("Red");
    bool gridSplit = false;
    int gridRows = 3;
    int gridCols = 3;
    bool batchRename = false;
    QString batchPrefix = QStringLiteral("image");
    bool crop = false;
    bool keepAspectRatio = true;
    QStringList imagePaths;
    QString outputDirectory;
};

#endif // JOBSETTINGS_H
