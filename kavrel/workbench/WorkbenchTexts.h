#pragma once

#include <QString>
#include <QStringList>

// The texts of the workbench window and of the boxes it shows, by language
// code. ANG, SLO, HRV and POL have their own; every other code (NEM among
// them) gets the English texts, so that no caption, box or list name is
// ever empty.
struct WorkbenchTexts
{
    QString caption; // window caption
    bool printVisible = false;
    QStringList itemColumns; // the 13 item grid titles
    QString bomColumnName, bomColumnDate;

    // Menus.
    QString mnProjects, mnProjectShow, mnBom, mnAddBom, mnDelBom, mnSyncBom, mnExBom, mnBomPrint,
        mnBomExcel, mnItems, mnAddItem, mnDelItem, mnAutocad, mnConnected, mnAddSymbol,
        mnAddDrawing, mnSettings, mnSetShow;

    // Hints.
    QString hintProjects, hintNewBom, hintDelBom, hintScan, hintDelItem, hintSym, hintSym3,
        hintDim, hintOrder, hintBlock, hintBlockNo, hintSum, hintPrice, hintSettings, hintExcel,
        hintPrint;

    // Totals panel.
    QString valueLabel, projectLabel;

    // Run-time texts: caption parts, connect button hints, list name, the
    // delete-BOM confirmation.
    QString captionPrefix, suffixConnecting, suffixConnected, suffixDisconnected,
        captionPolling;
    QString hintConnect, hintDisconnect;
    QString listName;
    QString deleteBomTitle, deleteBomText;

    static WorkbenchTexts forLanguage(const QString& code);

    // The delete-project confirmation of the projects window: heading and
    // message for `projectName`. Empty for codes without their own texts.
    struct Box
    {
        QString title;
        QString text;
    };
    static Box deleteProject(const QString& code, const QString& projectName);
};
