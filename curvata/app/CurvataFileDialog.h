#pragma once

#include <QString>
#include <functional>

class QWidget;

// The file dialogs of the project and the table of points: one filter, a
// default extension added to a name typed without one, and a question
// before an existing file is replaced. Windows take a Chooser so that tests
// answer in place of a person.
struct CurvataFileDialog
{
    enum class Mode
    {
        Open,
        Save
    };
    struct Request
    {
        Mode mode = Mode::Open;
        QString caption;
        QString filter;        // "Curvata Project (*.cvp)"
        QString defaultSuffix; // "cvp"
    };
    // The chosen path, or empty on Cancel.
    using Chooser = std::function<QString(QWidget* parent, const Request& request)>;

    static QString Choose(QWidget* parent, const Request& request);
};
