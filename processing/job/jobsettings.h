#ifndef JOBSETTINGS_H
#define JOBSETTINGS_H

#include "job/option.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

// The complete input of one run: the value of every option, the input paths
// and the output directory. A plain value, filled once before the run starts
// and read-only afterwards. It holds values by option declaration; an option
// never set reads as its declared initial value, so a new record needs no
// list of the options.
class JobSettings
{
public:
    template <typename T>
    T value(const Option<T> &option) const
    {
        return option.value(*this).template value<T>();
    }

    template <typename T>
    void set(const Option<T> &option, const typename Option<T>::Value &value)
    {
        option.setValue(*this, QVariant::fromValue(value));
    }

    QStringList imagePaths;
    // Beside each of imagePaths, the folder it was found under (given to a
    // walk, dropped or added as a folder), empty for an input given by
    // itself; an empty list when every input was given by itself.
    QStringList imageRoots;
    QString outputDirectory;
    // This process writes the inputs whose index is shardIndex modulo
    // shardCount, named as a run over all of imagePaths names them.
    int shardIndex = 0;
    int shardCount = 1;

private:
    friend struct OptionDeclaration;
    QHash<const OptionDeclaration *, QVariant> values;
};

#endif // JOBSETTINGS_H
