#ifndef JOBSETTINGS_H
#define JOBSETTINGS_H

#include <QColor>
#include <QString>
#include <QStringList>

// The complete input of one run: every option, the keys of the selected
// preset entries, the input paths and the output directory. A plain value,
// filled once before the run starts and read-only afterwards. Every option's
// range and initial value are declared in pipeline/options.cpp; a new record
// starts from those initial values.
struct JobSettings
{
    JobSettings();

    // Geometry
    int width;
    int height;
    bool crop;
    bool keepAspectRatio;
    bool shrinkOnly;
    QString standardSize;
    QString aspectRatio;
    int rotation;
    bool flipHorizontal;
    bool flipVertical;
    // Tone
    int brightness;
    int contrast;
    int saturation;
    bool autoEnhanceEnabled;
    // Filter
    QString filter;
    int filterIntensity;
    // Channel and grid
    bool extractChannelEnabled;
    QString channel;
    bool gridSplit;
    int gridRows;
    int gridCols;
    // Decoration
    bool watermark;
    QString watermarkText;
    QColor watermarkColor;
    int watermarkOpacity;
    int watermarkFontSize;
    int watermarkPositionIndex;
    bool border;
    int borderThickness;
    QColor borderColor;
    // Output and naming
    QString format;
    int quality;
    bool stripMetadata;
    QString ifExists;
    bool batchRename;
    QString batchPrefix;
    // Inputs processed at once; 0 for as many as there are cores.
    int jobs;

    QStringList imagePaths;
    QString outputDirectory;
};

#endif // JOBSETTINGS_H
