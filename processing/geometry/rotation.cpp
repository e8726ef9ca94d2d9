#include "geometry/rotation.h"

#include <QTransform>

bool rotationHandles(QSize size, int degrees)
{
    return degrees % 90 == 0
            || (size.width() <= largestSmoothlyTurnedSide && size.height() <= largestSmoothlyTurnedSide);
}

QImage rotateImage(const QImage &image, int degrees)
{
    if (!rotationHandles(image.size(), degrees))
        return QImage();
    QTransform rotation;
    rotation.rotate(double(degrees));
    return image.transformed(rotation, Qt::SmoothTransformation);
}

namespace option {
constexpr Option<int> rotation = declare::integer("rotation", 0, -360, 360)
        .valueWord("rotation", "Rotation in degrees clockwise", "N").widget("rotationSpinBox")
        .resetByLanguageSwitch();
} // namespace option

namespace {

QString rotationEmptyReason(const QImage &image, const JobSettings &s)
{
    if (rotationHandles(image.size(), s.value(option::rotation)))
        return QString();
    return QStringLiteral("pictures over %1 pixels wide or high turn only by multiples of 90 degrees")
            .arg(largestSmoothlyTurnedSide);
}

constexpr const OptionDeclaration *rotationOptions[] = {&option::rotation};

} // namespace

namespace steps {
constexpr ChainStep rotation{
    "rotation", rotationOptions, [](const JobSettings &s) { return s.value(option::rotation) != 0; },
    [](const QImage &image, const JobSettings &s) { return rotateImage(image, s.value(option::rotation)); },
    rotationEmptyReason};
} // namespace steps
