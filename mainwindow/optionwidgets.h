#ifndef OPTIONWIDGETS_H
#define OPTIONWIDGETS_H

#include "job/jobsettings.h"

#include <functional>

class QWidget;
struct OptionDeclaration;

// The form's option controls, found by the object names the option table
// declares. The window reads and sets them through these alone.
namespace optionwidgets {

// The control of option inside form; null when the form lacks it.
QWidget *controlOf(const QWidget *form, const OptionDeclaration &option);

// Every number control takes its declared range.
void applyRanges(QWidget *form);

// Fills each preset list in the interface language with its entries' keys as
// item data. Lists whose option resetsWithList says so start at their first
// entry; the others keep the entry they showed.
void fillPresetLists(QWidget *form,
                     const std::function<bool(const OptionDeclaration &)> &resetsWithList);

// Puts the control of every option that selected says so to its initial value.
void setInitialValues(QWidget *form, const std::function<bool(const OptionDeclaration &)> &selected);

// The options the controls show. Hidden controls are read like visible ones.
JobSettings captureOptions(const QWidget *form);

} // namespace optionwidgets

#endif // OPTIONWIDGETS_H
