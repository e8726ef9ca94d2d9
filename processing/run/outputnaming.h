#ifndef OUTPUTNAMING_H
#define OUTPUTNAMING_H

#include "job/jobsettings.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QSize>
#include <QString>

// How a run names its outputs: a template of literal text and fields,
// {name} (the input's base name), {n} (its 1-based place in the whole job,
// four digits at least), {date} (taken, from EXIF, else the file's time, as
// yyyy-MM-dd), {date:FORMAT} (Qt's date and time letters), {width} and
// {height} (of the output) and {format} (the output's suffix). Batch renaming
// with a prefix is the template "PREFIX_{n}", the prefix taken literally;
// otherwise the nameTemplate option, "{name}_processed" unless set.
class NameTemplate
{
public:
    explicit NameTemplate(const JobSettings &settings);
    explicit NameTemplate(const QString &text);

    // Why the template names nothing ("unknown field {x}", a slash, a
    // control character, an unclosed brace); empty when it is sound.
    QString problem() const { return fault; }
    bool namesBySize() const;

    // The base name for the input at position (1-based) written as format;
    // {width} and {height} stay as marks that withOutputSize fills in. Sets
    // *problem when the name would hold a slash or a control character, or
    // nothing at all.
    QString expand(const QString &inputPath, int position, const QString &format, QString *problem) const;

    // A regular expression that matches every base name the template gives.
    QString pattern() const;

private:
    struct Field
    {
        enum class Kind { Literal, Name, Number, Date, Width, Height, Format };
        Kind kind;
        QString text; // the literal, or the date's format
    };
    void parse(const QString &text);

    QList<Field> fields;
    QString fault;
};

// path with the marks of {width} and {height} replaced by size's.
QString withOutputSize(const QString &path, QSize size);

// The file systems' limit on one name, in bytes.
constexpr int nameLimit = 255;

// Where an input goes: the folder below the output folder (keep tree, empty
// for the output folder itself), the path, and whether the input is skipped
// (an output that exists, when those are skipped: path is that file; an
// output of an earlier run: path is empty). A name by size is given with
// the marks of {width} and {height} until the output has a size.
struct OutputChoice
{
    QString path;
    bool skip = false;
    QString treeFolder;
};

// The names one job has claimed below its output folder, and where the
// search for each name met more than once ended: the next search resumes
// there, so that many inputs of one name are named in linear time (a
// claimed name is never given back). What a folder holds is read once, in
// one listing, when a name in it is first chosen, so that naming asks the
// file system nothing per name.
//
// choose claims and gives the first of folder/stem.extension,
// folder/stem_2.extension, ... not claimed, the stem cut (never within a
// character) so that the name stays within nameLimit bytes; folder is a
// tree folder below the output folder, empty for the output folder itself.
// A name that exists as anything but a regular file (a folder or a symbolic
// link included, whatever it points to) is taken too. A regular file that is
// there from before is replaced (ifExists "replace"), passed by like a taken
// one ("rename"), or left alone and the input skipped ("skip").
class ClaimedNames
{
public:
    explicit ClaimedNames(const QString &outputDirectory);

    // Takes a name below the output folder ("b.png", "2024/05"), a file's
    // or a folder's.
    void claim(const QString &relativePath) { taken.insert(relativePath); }
    OutputChoice choose(const QString &folder, const QString &stem, const QString &extension,
                        const QString &ifExists);
    // choose for an output named by size, given as assignOutputNames
    // marks it, once the output's size is known.
    OutputChoice chooseBySize(const OutputChoice &marked, QSize size, const QString &ifExists);

private:
    enum class Entry : char { RegularFile, Other };
    const QHash<QString, Entry> &entriesOf(const QString &folder);

    QString outputDirectory;
    QSet<QString> taken; // below the output folder
    QHash<QString, int> resumeSuffix;
    QHash<QString, QHash<QString, Entry>> listings; // by folder below the output folder
};

// Where every input of settings goes, in input order, decided over the whole
// job before any input is processed, so that an input gets the same name
// whichever process writes it and whichever input fails. Inputs are never
// overwritten, nor an output of this run by another one; a skipped input
// keeps its name, and an output of an earlier run among the inputs is
// skipped without a path. With keepTree, an input found under a folder goes
// to its place below the output folder (never above it, whatever its path
// holds), and the folders that takes are claimed before any file name.
// When the template is unsound, or an input would get no sound name, the
// list is empty and problem says why, problemInput naming that input.
// A template that names by size gives each input its name without the "_2"
// rule, which its writer applies once the size is known, through claimed.
struct OutputNames
{
    QList<OutputChoice> outputs;
    QString problem;
    QString problemInput;
    ClaimedNames claimed{QString()};
};
OutputNames assignOutputNames(const JobSettings &settings);

// The folder of inputPath below root, as a relative path of plain names;
// empty when it is root itself or not below it.
QString treeFolderOf(const QString &inputPath, const QString &root);

// Creates treeFolder below outputDirectory one folder at a time, never
// through a symbolic link; the reason when it cannot, naming the folder.
QString makeTreeFolder(const QString &outputDirectory, const QString &treeFolder);

// The names of earlier outputs: as the run's template names its outputs, or
// as the default "NAME_processed", either perhaps with "_2", "_3", ... after
// it. An input inside the output folder (at any depth, symbolic links and
// ".." resolved) of such a name is an earlier run's output: a run skips it,
// so that a second run over a folder that holds its output folder does not
// process the first run's outputs again.
class EarlierOutputs
{
public:
    explicit EarlierOutputs(const JobSettings &settings);
    bool named(const QString &inputPath) const;

private:
    QRegularExpression outputName;
};

// Why no file can be created in directory ("cannot write: ..."), found by
// creating and removing one; empty when it can.
QString outputDirectoryProblem(const QString &directory);

#endif // OUTPUTNAMING_H
