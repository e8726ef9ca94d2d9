#ifndef ENTRYSTATE_H
#define ENTRYSTATE_H

// What the list says of one of its files: nothing yet, refused before any
// run (the thumbnail loader found it unreadable) or found damaged though
// readable, or what the last run made of it.
enum class EntryState { Listed, Unreadable, Damaged, Written, Warned, Failed, Skipped };

#endif // ENTRYSTATE_H
