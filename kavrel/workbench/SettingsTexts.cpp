#include "SettingsTexts.h"

namespace {

SettingsTexts design()
{
    SettingsTexts t;
    t.title = QStringLiteral("Settings");
    t.sheetSymDim = QStringLiteral("Simboli-Dimenzije");
    t.meriloSym = QStringLiteral("Merilo simbolov:");
    t.meriloSymNastavi = QStringLiteral("Nastavi merilo simbolov");
    t.meriloDim = QStringLiteral("Merilo za dimenzijske skice:");
    t.sheetAttrib = QStringLiteral("Atributi ACAD");
    t.showAtt = QStringLiteral("Prikaži:");
    t.cbManufacturer = QStringLiteral("Proizvajalec");
    t.cbItemNo = QStringLiteral("Šifra");
    t.cbItem = QStringLiteral("Naziv");
    t.cbBlockNo = QStringLiteral("Št. bloka");
    t.numBlock = QStringLiteral("Oštevilčenje blokov");
    t.blockNumber = QStringLiteral("Avtomatsko");
    t.connection = QStringLiteral("ACAD povezava");
    t.connLive = QStringLiteral("Live connection");
    t.connBom = QStringLiteral("Izdelava kosovnice");
    t.connSyncStart = QStringLiteral("Synchronize BOM on connect");
    t.connSyncEnd = QStringLiteral("Synchronize BOM on disconnect");
    t.customer = QStringLiteral("Customer");
    t.label4 = QStringLiteral("Zamawiający:");
    t.label5 = QStringLiteral("Ulica:");
    t.label6 = QStringLiteral("Kod pocztowy:");
    t.label7 = QStringLiteral("Miasto:");
    t.label8 = QStringLiteral("NIP:");
    t.sheetTable = QStringLiteral("Kosovnice");
    t.projectView1 = QStringLiteral("Prikaži pozicije, ki so na voljo v celotnem projektu");
    t.bNovicenik = QStringLiteral("Novi cenik");
    t.sheetMenu = QStringLiteral("Meni");
    t.tntButton3 = QStringLiteral("Create KAVREL menu in Autocad");
    return t;
}

void english(SettingsTexts& t)
{
    t.title = QStringLiteral("Settings");
    t.sheetSymDim = QStringLiteral("Symbols Dimensions");
    t.meriloSym = QStringLiteral("Symbol scale");
    t.meriloSymNastavi = QStringLiteral("Set symbol scale");
    t.meriloDim = QStringLiteral("Dimensional drawing scale");
    t.sheetAttrib = QStringLiteral("ACAD Attributes");
    t.showAtt = QStringLiteral("Show");
    t.cbManufacturer = QStringLiteral("Manufacturer");
    t.cbItemNo = QStringLiteral("Item No.");
    t.cbItem = QStringLiteral("Item");
    t.cbBlockNo = QStringLiteral("Block No.");
    t.numBlock = QStringLiteral("Block numbering");
    t.blockNumber = QStringLiteral("Automatic");
    t.connection = QStringLiteral("Connection");
    t.connLive = QStringLiteral("Live connection");
    t.connBom = QStringLiteral("Create Bill of Material (BOM)");
    t.connSyncStart = QStringLiteral("Synchronize BOM with ACAD on connect");
    t.connSyncEnd = QStringLiteral("Synchronize BOM with ACAD on disconnect");
    t.customer = QStringLiteral("Customer");
    t.label4 = QStringLiteral("Name");
    t.label5 = QStringLiteral("Street");
    t.label6 = QStringLiteral("Postal code");
    t.label7 = QStringLiteral("Place");
    t.label8 = QStringLiteral("ID No.");
    t.sheetTable = QStringLiteral("Tables");
    t.projectView1 = QStringLiteral("View available items from entire project");
    t.bNovicenik = QStringLiteral("New price list");
    t.sheetMenu = QStringLiteral("Menus");
}

void polish(SettingsTexts& t)
{
    english(t);
    t.label4 = QStringLiteral("Zamawiający");
    t.label5 = QStringLiteral("Ulica");
    t.label6 = QStringLiteral("Kod pocztowy");
    t.label7 = QStringLiteral("Miasto:");
    t.label8 = QStringLiteral("NIP");
    t.bNovicenik = QStringLiteral("Nowy cennik");
}

void slovene(SettingsTexts& t)
{
    t.title = QStringLiteral("Nastavitve");
    t.sheetSymDim = QStringLiteral("Simboli, dimenzije");
    t.meriloSym = QStringLiteral("Merilo simbolov");
    t.meriloSymNastavi = QStringLiteral("Nastavi merilo simbolov");
    t.meriloDim = QStringLiteral("Merilo dimenzijskih skic");
    t.sheetAttrib = QStringLiteral("Atributi ACAD");
    t.showAtt = QStringLiteral("Prikaži");
    t.cbManufacturer = QStringLiteral("Proizvajalec");
    t.cbItemNo = QStringLiteral("Šifra");
    t.cbItem = QStringLiteral("Naziv");
    t.cbBlockNo = QStringLiteral("Št. bloka");
    t.numBlock = QStringLiteral("Oštevilčenje blokov");
    t.blockNumber = QStringLiteral("Avtomatsko");
    t.connection = QStringLiteral("Povezava");
    t.connLive = QStringLiteral("Živa povezava");
    t.connBom = QStringLiteral("Izdeluj kosovnice");
    t.connSyncStart = QStringLiteral("Sinhroniziraj kosovnico z ACAD vzpostavitvi povezave");
    t.connSyncEnd = QStringLiteral("Sinhroniziraj kosovnico z ACAD prekinitvi povezave");
    t.customer = QStringLiteral("Naročnik");
    t.label4 = QStringLiteral("Naziv");
    t.label5 = QStringLiteral("Ulica");
    t.label6 = QStringLiteral("Poštna številka");
    t.label7 = QStringLiteral("Mesto");
    t.label8 = QStringLiteral("D.Š.");
    t.sheetTable = QStringLiteral("Tabele");
    t.projectView1 = QStringLiteral("Prikaži pozicije, ki so na voljo v celotnem projektu");
    t.bNovicenik = QStringLiteral("Novi cenik");
    t.sheetMenu = QStringLiteral("Meniji");
    t.tntButton3 = QStringLiteral("Ustvari KAVREL meni v Autocadu");
}

void croatian(SettingsTexts& t)
{
    t.title = QStringLiteral("Podešavanja");
    t.sheetSymDim = QStringLiteral("Dimenzije simbola");
    t.meriloSym = QStringLiteral("Razmjer simbola");
    t.meriloSymNastavi = QStringLiteral("Podesi razmjer simbola");
    t.meriloDim = QStringLiteral("Razmjer dimenzijske skice");
    t.sheetAttrib = QStringLiteral("ACAD atributi");
    t.showAtt = QStringLiteral("Prikaži");
    t.cbManufacturer = QStringLiteral("Proizvođač");
    t.cbItemNo = QStringLiteral("Šifra");
    t.cbItem = QStringLiteral("Naziv");
    t.cbBlockNo = QStringLiteral("Br. bloka");
    t.numBlock = QStringLiteral("Brojanje blokova");
    t.blockNumber = QStringLiteral("Automatski");
    t.connection = QStringLiteral("Veza sa ACAD");
    t.connLive = QStringLiteral("Živa veza");
    t.connBom = QStringLiteral("Izrađuj specifikaciju");
    t.connSyncStart = QStringLiteral("Sinh. specifikaciju sa ACAD pri povezivanju");
    t.connSyncEnd = QStringLiteral("Sinh. specifikaciju sa ACAD pri prekidanju");
    t.customer = QStringLiteral("Customer");
    t.label4 = QStringLiteral("Naziv");
    t.label5 = QStringLiteral("Ulica");
    t.label6 = QStringLiteral("Poštnski broj");
    t.label7 = QStringLiteral("Mesto");
    t.label8 = QStringLiteral("Porezni broj");
    t.sheetTable = QStringLiteral("Tabele");
    t.projectView1 = QStringLiteral("Prikaz svih pozicija, na raspolaganju u projektu");
    t.bNovicenik = QStringLiteral("Novi cjenik");
    t.sheetMenu = QStringLiteral("Meniji");
}

} // namespace

SettingsTexts SettingsTexts::forLanguage(const QString& code)
{
    SettingsTexts t = design();
    if (code == QLatin1String("ANG"))
        english(t);
    else if (code == QLatin1String("POL"))
        polish(t);
    else if (code == QLatin1String("SLO"))
        slovene(t);
    else if (code == QLatin1String("HRV"))
        croatian(t);
    return t;
}
