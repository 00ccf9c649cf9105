#include "CurvataFileDialog.h"

#include <QFileDialog>

QString CurvataFileDialog::Choose(QWidget* parent, const Request& request)
{
    // Not the static helpers: they cannot add a default extension. The
    // dialog never changes the working directory, through which the fuse
    // database is found.
    QFileDialog dialog(parent, request.caption);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.mode == Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
