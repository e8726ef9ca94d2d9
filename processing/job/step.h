#ifndef STEP_H
#define STEP_H

#include "core/tonemapping.h"
#include "job/jobsettings.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>

// The options an operation declares, in the order --help and the form's
// tables list them.
class OptionList
{
public:
    constexpr OptionList() = default;
    template <std::size_t Count>
    constexpr OptionList(const OptionDeclaration *const (&options)[Count]) : first(options), count(Count)
    {
    }
    const OptionDeclaration *const *begin() const { return first; }
    const OptionDeclaration *const *end() const { return first + count; }

private:
    const OptionDeclaration *const *first = nullptr;
    std::size_t count = 0;
};

// One step of the chain, declared in its operation's file beside the
// kernel: its name as reports give it, the options it declares, whether it
// runs for a run's settings and what it does to the picture.
struct ChainStep
{
    const char *name;
    OptionList options;
    bool (*runs)(const JobSettings &settings);
    QImage (*apply)(const QImage &image, const JobSettings &settings);
    // Why the step leaves an empty picture of input, when it has a reason
    // of its own beyond running out of memory; null for none.
    QString (*emptyReason)(const QImage &input, const JobSettings &settings) = nullptr;
    // For a step that maps each colour channel through a table of its own
    // (its apply is then applyChannelTable with it), that table; else null.
    tonemapping::ChannelTable (*table)(const JobSettings &settings) = nullptr;
    // For a step that scales the whole picture, the size it gives a picture
    // of source's size (source itself when it leaves the size alone); an
    // invalid size when it cuts instead for these settings. Null for every
    // step that is no scale: such a step needs the picture as decoded.
    QSize (*scaledSize)(QSize source, const JobSettings &settings) = nullptr;
    // For a step whose options take values from the input itself (its
    // metadata, its name), sets those values for the input at inputPath;
    // else null.
    void (*fillForInput)(JobSettings &settings, const QString &inputPath) = nullptr;
};

#endif // STEP_H
