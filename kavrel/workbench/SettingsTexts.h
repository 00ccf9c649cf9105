#pragma once

#include <QString>

// Captions of the settings window by language code. ANG, SLO, HRV and POL
// have their own; every other code keeps the window's design captions.
struct SettingsTexts
{
    QString title;
    QString sheetSymDim, meriloSym, meriloSymNastavi, meriloDim;
    QString sheetAttrib, showAtt, cbManufacturer, cbItemNo, cbItem, cbBlockNo, numBlock,
        blockNumber, connection, connLive, connBom, connSyncStart, connSyncEnd;
    QString customer, label4, label5, label6, label7, label8;
    QString sheetTable, projectView1, bNovicenik;
    QString sheetMenu, tntButton3;

    static SettingsTexts forLanguage(const QString& code);
};
