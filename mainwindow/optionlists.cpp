#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "optionwidgets.h"
#include "pipeline/options.h"

#include <QList>

// Fills the preset lists in the interface language and puts the controls
// that a language switch returns to their initial values; the filter, the
// format and what becomes of existing outputs keep their choice. The
// controls of the batch options start hidden; their check boxes show them
// again.
void MainWindow::initializeOptions()
{
    auto resetsWithLanguage = [](const OptionDeclaration &option) {
        return option.resetByLanguageSwitch;
    };
    optionwidgets::fillPresetLists(this, resetsWithLanguage);
    optionwidgets::setInitialValues(this, resetsWithLanguage);

    const QList<QWidget *> batchControls = {ui->gridRowsSpinBox, ui->gridColsSpinBox, ui->gridRowsLabel,
                                            ui->gridColsLabel, ui->batchPrefixLineEdit, ui->batchPrefixLabel,
                                            ui->channelComboBox};
    for (QWidget *batchControl : batchControls)
        batchControl->setVisible(false);
}
