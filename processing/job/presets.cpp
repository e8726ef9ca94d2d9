#include "job/presets.h"

#include <QtGlobal>

QString PresetList::words() const
{
    QStringList accepted;
    for (const PresetEntry &entry : entries) {
        if (entry.word)
            accepted << QString::fromUtf8(entry.word);
    }
    return accepted.join(QLatin1Char(' '));
}

int PresetList::indexOfWord(const QString &text) const
{
    for (int index = 0; index < entries.size(); ++index) {
        const char *word = entries.at(index).word;
        if (word && text.compare(QString::fromUtf8(word), Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

namespace presets {

const PresetList formats = {{
    {"JPG", "JPG", QT_TRANSLATE_NOOP("MainWindow", "JPG")},
    {"PNG", "PNG", QT_TRANSLATE_NOOP("MainWindow", "PNG")},
    {"BMP", "BMP", QT_TRANSLATE_NOOP("MainWindow", "BMP")},
    {"WEBP", "WEBP", QT_TRANSLATE_NOOP("MainWindow", "WEBP")},
}};

const PresetList filters = {{
    {"无", nullptr, QT_TRANSLATE_NOOP("MainWindow", "无")},
    {"模糊", "blur", QT_TRANSLATE_NOOP("MainWindow", "模糊")},
    {"灰度", "grayscale", QT_TRANSLATE_NOOP("MainWindow", "灰度")},
    {"复古", "vintage", QT_TRANSLATE_NOOP("MainWindow", "复古")},
    {"边缘检测", "edge-detection", QT_TRANSLATE_NOOP("MainWindow", "边缘检测")},
    {"浮雕", "emboss", QT_TRANSLATE_NOOP("MainWindow", "浮雕")},
    {"油画", "oil-painting", QT_TRANSLATE_NOOP("MainWindow", "油画")},
}};

const PresetList aspectRatios = {{
    {"原始比例", nullptr, QT_TRANSLATE_NOOP("MainWindow", "原始比例")},
    {"1:1", "1:1", QT_TRANSLATE_NOOP("MainWindow", "1:1 (正方形)")},
    {"4:3", "4:3", QT_TRANSLATE_NOOP("MainWindow", "4:3")},
    {"16:9", "16:9", QT_TRANSLATE_NOOP("MainWindow", "16:9")},
    {"3:2", "3:2", QT_TRANSLATE_NOOP("MainWindow", "3:2")},
}};

const PresetList standardSizes = {{
    {"自定义", nullptr, QT_TRANSLATE_NOOP("MainWindow", "自定义")},
    {"640x480", "640x480", QT_TRANSLATE_NOOP("MainWindow", "640x480 (VGA)")},
    {"800x600", "800x600", QT_TRANSLATE_NOOP("MainWindow", "800x600 (SVGA)")},
    {"1024x768", "1024x768", QT_TRANSLATE_NOOP("MainWindow", "1024x768 (XGA)")},
    {"1280x720", "1280x720", QT_TRANSLATE_NOOP("MainWindow", "1280x720 (HD)")},
    {"1920x1080", "1920x1080", QT_TRANSLATE_NOOP("MainWindow", "1920x1080 (Full HD)")},
    {"1080x1080", "1080x1080", QT_TRANSLATE_NOOP("MainWindow", "1080x1080 (Instagram)")},
    {"1200x1200", "1200x1200", QT_TRANSLATE_NOOP("MainWindow", "1200x1200")},
}};

// A run receives the position's index, not a key.
const PresetList watermarkPositions = {{
    {"0", "top-left", QT_TRANSLATE_NOOP("MainWindow", "左上角")},
    {"1", "top-right", QT_TRANSLATE_NOOP("MainWindow", "右上角")},
    {"2", "bottom-left", QT_TRANSLATE_NOOP("MainWindow", "左下角")},
    {"3", "bottom-right", QT_TRANSLATE_NOOP("MainWindow", "右下角")},
    {"4", "center", QT_TRANSLATE_NOOP("MainWindow", "中心")},
}};

const PresetList channels = {{
    {"Red", "red", QT_TRANSLATE_NOOP("MainWindow", "红色通道")},
    {"Green", "green", QT_TRANSLATE_NOOP("MainWindow", "绿色通道")},
    {"Blue", "blue", QT_TRANSLATE_NOOP("MainWindow", "蓝色通道")},
    {"Cyan", "cyan", QT_TRANSLATE_NOOP("MainWindow", "青色通道")},
    {"Magenta", "magenta", QT_TRANSLATE_NOOP("MainWindow", "洋红通道")},
    {"Yellow", "yellow", QT_TRANSLATE_NOOP("MainWindow", "黄色通道")},
}};

const PresetList existingOutputs = {{
    {"replace", "replace", QT_TRANSLATE_NOOP("MainWindow", "替换")},
    {"rename", "rename", QT_TRANSLATE_NOOP("MainWindow", "改名保存")},
    {"skip", "skip", QT_TRANSLATE_NOOP("MainWindow", "跳过")},
}};

} // namespace presets
