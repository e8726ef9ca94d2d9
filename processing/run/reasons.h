#ifndef REASONS_H
#define REASONS_H

#include <QString>
#include <QStringList>

// The reasons and warnings a run gives, and the messages of job files, are
// English: the command line prints them and the report file keeps them as
// they are. The window shows them in its own language through these.
namespace reasons {

// The catalogue context of the messages below.
inline constexpr char context[] = "Reason";

// reason in the language of the installed translators: each of its parts
// that is one of our message forms is translated, with its values (paths,
// numbers, a step's name) in place; a decoder's own words in brackets
// after it are kept as they are. Text that is none of our forms is
// returned unchanged.
QString localised(const QString &reason);

// Whether localised() knows reason as a whole, as one of our forms (its
// bracketed decoder detail aside).
bool recognised(const QString &reason);

// Every message form, as the catalogues hold it (English source texts).
QStringList forms();

} // namespace reasons

#endif // REASONS_H
