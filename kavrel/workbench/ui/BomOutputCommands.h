#pragma once

// The workbench's output commands: the summary view, the export of the
// current BOM to a workbook that the desktop's spreadsheet program opens,
// and printing with a preview. Fills TForm6's hooks for them; the work is
// done by the display-free BomSummary, BomSheet, BomWorkbookFile and
// BomPrintLayout.

#include "BomOutputTexts.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class BomPrintPreview;
class BomSummary;
class TForm6;
class TNastavitve;

class BomOutputCommands : public QObject
{
    Q_OBJECT
public:
    BomOutputCommands(TForm6& form, TNastavitve* settings);
    ~BomOutputCommands() override;

    BomSummary& summary() { return *m_summary; }

    // Where the workbook goes; the default asks with a file dialog. Empty
    // when the user cancelled.
    std::function<QString(const QString& suggested)> chooseWorkbook;
    // Opens the written workbook; the default hands it to the desktop's
    // program for the file type. False when nothing could open it.
    std::function<bool(const QString& path)> openWorkbook;

    // `name` as a file in the user's documents folder, with the characters
    // no file name may hold replaced and a drawing's ".dwg" dropped.
    static QString suggestedPath(const QString& name, const QString& suffix);

    // The preview of the last print command while it is open.
    BomPrintPreview* preview() const;

    void setSummaryView(bool on); // BtnSUM
    void exportWorkbook();        // TntBitBtn3, MnBOMExcel
    void print();                 // Tiskaj, MnBOMPrint

private:
    std::array<QString, 5> customer() const;

    TForm6& m_form;
    TNastavitve* m_settings;
    BomOutputTexts m_texts;
    std::unique_ptr<BomSummary> m_summary;
    QPointer<BomPrintPreview> m_preview;
};
