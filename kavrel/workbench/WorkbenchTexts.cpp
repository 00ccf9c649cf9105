#include "WorkbenchTexts.h"

namespace {

void english(WorkbenchTexts& t)
{
    t.caption = QStringLiteral("BOM");
    t.itemColumns = {QStringLiteral("ItemNo"), QStringLiteral("Item"),      QStringLiteral("Qty"),
                     QStringLiteral("TotQty"), QStringLiteral("Price"),     QStringLiteral("+/-%"),
                     QStringLiteral("Net"),    QStringLiteral("Value"),     QStringLiteral("Tot Value"),
                     QStringLiteral("Block"),  QStringLiteral("Block No"),  QStringLiteral("Symbol"),
                     QStringLiteral("Dimension")};
    t.bomColumnName = QStringLiteral("Drawing");
    t.bomColumnDate = QStringLiteral("Date");
    t.mnProjects = QStringLiteral("Projects");
    t.mnProjectShow = QStringLiteral("Show");
    t.mnBom = QStringLiteral("BOMs");
    t.mnAddBom = QStringLiteral("New BOM");
    t.mnDelBom = QStringLiteral("Delete BOM");
    t.mnSyncBom = QStringLiteral("Synchronize");
    t.mnExBom = QStringLiteral("Export");
    t.mnBomPrint = QStringLiteral("Printer");
    t.mnBomExcel = QStringLiteral("Excel");
    t.mnItems = QStringLiteral("Items");
    t.mnAddItem = QStringLiteral("Add");
    t.mnDelItem = QStringLiteral("Delete");
    t.mnAutocad = QStringLiteral("Autocad");
    t.mnConnected = QStringLiteral("Connected");
    t.mnAddSymbol = QStringLiteral("Add symbol");
    t.mnAddDrawing = QStringLiteral("Add drawing");
    t.mnSettings = QStringLiteral("Settings");
    t.mnSetShow = QStringLiteral("Show");
    t.hintProjects = QStringLiteral("Show projects");
    t.hintNewBom = QStringLiteral("New BOM");
    t.hintDelBom = QStringLiteral("Delete BOM");
    t.hintScan = QStringLiteral("Synchronize");
    t.hintDelItem = QStringLiteral("Delete item");
    t.hintSym = QStringLiteral("Add 1-pole symbol");
    t.hintSym3 = QStringLiteral("Add 3-pole symbol");
    t.hintDim = QStringLiteral("Add dimension");
    t.hintOrder = QStringLiteral("Add (No Acad)");
    t.hintBlock = QStringLiteral("Block name");
    t.hintBlockNo = QStringLiteral("Block number");
    t.hintSum = QStringLiteral("Summary");
    t.hintPrice = QStringLiteral("Prices");
    t.hintSettings = QStringLiteral("Settings");
    t.hintExcel = QStringLiteral("To Excel");
    t.hintPrint = QStringLiteral("Print BOM");
    t.valueLabel = QStringLiteral("Value");
    t.projectLabel = QStringLiteral("Project");
    t.captionPrefix = QStringLiteral("Project ");
    t.suffixConnecting = QStringLiteral("     Connecting to Autocad");
    t.suffixConnected = QStringLiteral("     Connected to Autocad");
    t.suffixDisconnected = QStringLiteral("     Disconnected  from Autocad");
    t.captionPolling = QStringLiteral("Connected to: ");
    t.hintConnect = QStringLiteral("Connect to AutoCAD");
    t.hintDisconnect = QStringLiteral("Disconnect from AutoCAD");
    t.listName = QStringLiteral("List");
    t.deleteBomTitle = QStringLiteral("WARNING !");
    t.deleteBomText = QStringLiteral("Do you really want to delete selected list ?");
}

// Slovene and Croatian share most menu texts.
void southSlavicMenus(WorkbenchTexts& t)
{
    t.mnProjects = QStringLiteral("Projekti");
    t.mnProjectShow = QStringLiteral("Pokaži");
    t.mnAddBom = QStringLiteral("Dodaj");
    t.mnDelBom = QStringLiteral("Briši");
    t.mnSyncBom = QStringLiteral("Sinhroniziraj");
    t.mnExBom = QStringLiteral("Izvoz");
    t.mnBomExcel = QStringLiteral("Excel");
    t.mnItems = QStringLiteral("Pozicije");
    t.mnAddItem = QStringLiteral("Dodaj");
    t.mnDelItem = QStringLiteral("Briši");
    t.mnAutocad = QStringLiteral("Autocad");
    t.mnConnected = QStringLiteral("Priključen");
    t.mnAddSymbol = QStringLiteral("Dodaj simbol");
    t.mnSetShow = QStringLiteral("Prikaži");
    t.hintProjects = QStringLiteral("Pokaži projekte");
    t.hintScan = QStringLiteral("Sinhroniziraj");
    t.captionPrefix = QStringLiteral("Projekt ");
    t.captionPolling = QStringLiteral("Priključen na: ");
    t.hintDisconnect = QStringLiteral("Odklop od Autocada");
    t.suffixConnected = QStringLiteral("     Priklopljen na Autocad");
}

void slovene(WorkbenchTexts& t)
{
    southSlavicMenus(t);
    t.caption = QStringLiteral("Kosovnica");
    t.itemColumns = {QStringLiteral("Šifra"),      QStringLiteral("Naziv"),
                     QStringLiteral("Kol"),        QStringLiteral("Skup. kol."),
                     QStringLiteral("Cena"),       QStringLiteral("+/-%"),
                     QStringLiteral("Neto"),       QStringLiteral("Vrednost"),
                     QStringLiteral("Skup. vred."), QStringLiteral("Blok"),
                     QStringLiteral("Št.Bloka"),   QStringLiteral("Simbol"),
                     QStringLiteral("Dimenzija")};
    t.bomColumnName = QStringLiteral("Risba");
    t.bomColumnDate = QStringLiteral("Datum");
    t.mnBom = QStringLiteral("Kosovnice");
    t.mnBomPrint = QStringLiteral("Tiskalnik");
    t.mnAddDrawing = QStringLiteral("Dodaj dimenzijsko skico");
    t.mnSettings = QStringLiteral("Nastavitve");
    t.hintNewBom = QStringLiteral("Nova kosovnica");
    t.hintDelBom = QStringLiteral("Briši kososvnico");
    t.hintDelItem = QStringLiteral("Izbriši pozicijo");
    t.hintSym = QStringLiteral("Dodaj 1-polni simbol");
    t.hintSym3 = QStringLiteral("Dodaj 3-polni simbol");
    t.hintDim = QStringLiteral("Dodaj dimenzijo");
    t.hintOrder = QStringLiteral("Dodaj (brez Acad)");
    t.hintBlock = QStringLiteral("Oznaka bloka");
    t.hintBlockNo = QStringLiteral("Številka bloka");
    t.hintSum = QStringLiteral("Zbir");
    t.hintPrice = QStringLiteral("Cene");
    t.hintSettings = QStringLiteral("Nastavitve");
    t.hintExcel = QStringLiteral("V Excel");
    t.valueLabel = QStringLiteral("Vrednost");
    t.suffixConnecting = QStringLiteral("     Priklop na Autocad");
    t.suffixDisconnected = QStringLiteral("     Odklopljen od Autocada");
    t.hintConnect = QStringLiteral("Priklop na AutoCAD");
    t.listName = QStringLiteral("Popis");
    t.deleteBomTitle = QStringLiteral("OPOZORILO !");
    t.deleteBomText = QStringLiteral("Ali res želite izbrisati izbran popis ?");
}

void croatian(WorkbenchTexts& t)
{
    southSlavicMenus(t);
    t.caption = QStringLiteral("Specifikacija");
    t.itemColumns = {QStringLiteral("Šifra"),      QStringLiteral("Naziv"),
                     QStringLiteral("Kol"),        QStringLiteral("Ukup. kol."),
                     QStringLiteral("Cijena"),     QStringLiteral("+/-%"),
                     QStringLiteral("Neto"),       QStringLiteral("Vrijednost"),
                     QStringLiteral("Ukup. vred."), QStringLiteral("Blok"),
                     QStringLiteral("Br.Bloka"),   QStringLiteral("Simbol"),
                     QStringLiteral("Dimenzija")};
    t.bomColumnName = QStringLiteral("Specifikacija");
    t.bomColumnDate = QStringLiteral("Datum");
    t.mnBom = QStringLiteral("Specifikacije");
    t.mnBomPrint = QStringLiteral("Printer");
    t.mnAddDrawing = QStringLiteral("Dodaj dimenzijsku skicu");
    t.mnSettings = QStringLiteral("Podešavanja");
    t.hintNewBom = QStringLiteral("Nova specifikacija");
    t.hintDelBom = QStringLiteral("Briši specifikacija");
    t.hintDelItem = QStringLiteral("Briši poziciju");
    t.hintSym = QStringLiteral("Ubaci 1-polni simbol");
    t.hintSym3 = QStringLiteral("Ubaci 3-polni simbol");
    t.hintDim = QStringLiteral("Ubaci dimenziju");
    t.hintOrder = QStringLiteral("Ubaci (bez Acad)");
    t.hintBlock = QStringLiteral("Oznaka bloka");
    t.hintBlockNo = QStringLiteral("Broj bloka");
    t.hintSum = QStringLiteral("Zbir");
    t.hintPrice = QStringLiteral("Cjene");
    t.hintSettings = QStringLiteral("Podešavanje");
    t.hintExcel = QStringLiteral("U Excel");
    t.valueLabel = QStringLiteral("Vrijednost");
    t.suffixConnecting = QStringLiteral("     Povezivanje na Autocad");
    t.suffixDisconnected = QStringLiteral("     Otklopljen od Autocada");
    t.hintConnect = QStringLiteral("Povezivanje na AutoCAD");
    t.listName = QStringLiteral("Specifikacija");
    t.deleteBomTitle = QStringLiteral("UPOZORENJE !");
    t.deleteBomText = QStringLiteral("Da li želite izbrisati izabranu specifikaciju ?");
}

// Polish has its own grid and hint texts; its menus keep the window's
// design texts and its run-time texts are the English ones.
void polish(WorkbenchTexts& t)
{
    t.printVisible = true;
    t.itemColumns = {QStringLiteral("Nr.Kodowy"),  QStringLiteral("Nazwa towaru"),
                     QStringLiteral("Ilość"),      QStringLiteral("Ilość"),
                     QStringLiteral("Cena"),       QStringLiteral("+/-%"),
                     QStringLiteral("Cena netto"), QStringLiteral("Wartość"),
                     QStringLiteral("Wartość"),    QStringLiteral("Blok"),
                     QStringLiteral("Blok Nr"),    QStringLiteral("Simbol"),
                     QStringLiteral("Dimension")};
    t.bomColumnName = QStringLiteral("Rysunek");
    t.bomColumnDate = QStringLiteral("Datum");
    t.mnAddBom = QStringLiteral("Add");
    t.mnDelBom = QStringLiteral("Delete");
    t.hintNewBom = QStringLiteral("Nova specifikacija");
    t.hintDelBom = QStringLiteral("Briši specifikacija");
    t.valueLabel = QStringLiteral("Wartość");
    t.listName = QStringLiteral("Kalkulacja");
}

} // namespace

WorkbenchTexts WorkbenchTexts::forLanguage(const QString& code)
{
    WorkbenchTexts t;
    english(t);
    if (code == QLatin1String("SLO"))
        slovene(t);
    else if (code == QLatin1String("HRV"))
        croatian(t);
    else if (code == QLatin1String("POL"))
        polish(t);
    return t;
}

WorkbenchTexts::Box WorkbenchTexts::deleteProject(const QString& code, const QString& projectName)
{
    if (code == QLatin1String("ANG"))
        return {QStringLiteral("WARNING !"),
                QStringLiteral("Do you really want to delete project ") + projectName + u'?'};
    if (code == QLatin1String("SLO"))
        return {QStringLiteral("OPOZORILO !"),
                QStringLiteral("Ali res želite izbrisati izbran projekt ") + projectName + u'?'};
    if (code == QLatin1String("HRV"))
        return {QStringLiteral("UPOZORENJE !"),
                QStringLiteral("Da li želite izbrisati izabranu projekt ") + projectName + u'?'};
    if (code == QLatin1String("POL"))
        return {QStringLiteral("WARNING !"),
                QStringLiteral("Do you really want to delete projekt ") + projectName + u'?'};
    return {};
}
