#ifndef METADATA_H
#define METADATA_H

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

// What a run changes in the metadata it carries: the location removed
// (the GPS directory and XMP's exif:GPS properties), the artist and the
// copyright stamped into EXIF and XMP (dc:creator, dc:rights) when not
// empty, and a resolution other than 0 set in the EXIF and XMP written (in
// dots per inch).
struct MetadataEdits
{
    bool removeLocation = false;
    QString artist;
    QString copyright;
    int dotsPerInch = 0;
};

// The EXIF, XMP and IPTC of one input file, carried into its output. exiv2
// stays inside metadata.cpp.
class PhotoMetadata
{
public:
    // Reads what the file at path carries, a JPEG's extended XMP included. A
    // format that holds no metadata, or a path that is no regular file,
    // gives empty metadata; metadata that cannot be read gives none and
    // "metadata not read: ..." in *warning, metadata read only in part gives
    // what could be read and "metadata read in part, EXIF, XMP carried: ...".
    static PhotoMetadata read(const QString &path, QString *warning);

    bool isEmpty() const;

    // Which blocks were read.
    struct Parts
    {
        bool exif = false;
        bool xmp = false;
        bool iptc = false;
    };
    Parts parts() const;

    // The text of an EXIF entry ("Exif.Image.Artist"); empty when absent.
    QString exifText(const char *key) const;

    // Writes the metadata, changed by edits, into encoded, a complete JPEG,
    // PNG, WEBP, TIFF, HEIC, AVIF or JPEG XL file whose picture is pixelSize
    // and already upright: Orientation 1, the pixel dimensions of pixelSize,
    // no embedded preview of the old picture. The colour profile and
    // comments in encoded stay. Other formats are left alone. Returns the
    // problem when the metadata could not be written; then encoded is
    // unchanged. Extended XMP goes into a JPEG only; for another format its
    // loss is the problem returned. HEIC, AVIF and JPEG XL files hold no IPTC
    // block: its fields go into XMP.
    QString writeInto(QByteArray &encoded, QSize pixelSize, const MetadataEdits &edits = {}) const;

    struct Data;

private:
    std::shared_ptr<const Data> data;
};

// The image as it goes to the encoder, which writes its texts (PNG text
// chunks, JPEG comments): without the texts that hold copies of EXIF, XMP or
// IPTC, which the metadata step writes fresh, and with strip without any.
// Shares the pixels of image.
QImage withOutputTexts(const QImage &image, bool strip);

#endif // METADATA_H
