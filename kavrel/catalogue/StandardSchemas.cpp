#include "StandardSchemas.h"

namespace {

FieldDef i32(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Int32, 0};
}
FieldDef i16(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Int16, 0};
}
FieldDef str(const char* name, int width)
{
    return {QString::fromLatin1(name), FieldType::String, width};
}
FieldDef date(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Date, 0};
}
FieldDef dateTime(const char* name)
{
    return {QString::fromLatin1(name), FieldType::DateTime, 0};
}
FieldDef real(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Float, 0};
}
IndexDef primary(const char* name, const char* fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields).split(QLatin1Char(';')), true,
            true};
}
IndexDef secondary(const char* name, const char* fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields).split(QLatin1Char(';')), false,
            false};
}

} // namespace

TableSchema StandardSchemas::tree()
{
    TableSchema s;
    s.name = QStringLiteral("tree");
    s.fields = {i32("LINK1"), str("LOOK", 1), i16("SORT"), i32("LINK2"), date("DATUM")};
    s.indexes = {primary("PRIMARY", "LINK1;LOOK;SORT;LINK2")};
    return s;
}

TableSchema StandardSchemas::attributes()
{
    TableSchema s;
    s.name = QStringLiteral("attributes");
    s.fields = {i32("LINK2"), str("LOOK", 1),  i16("SORT"),
                i32("LINK3"), str("TIPTX", 1), date("DATUM")};
    s.indexes = {primary("PRIMARY", "LINK2;LOOK;SORT;LINK3")};
    return s;
}

TableSchema StandardSchemas::texts()
{
    TableSchema s;
    s.name = QStringLiteral("texts");
    s.fields = {i32("LINK3"),   i16("SORT"),    str("JEZIK", 1), str("KODA", 7), str("SLO", 40),
                str("ANG", 40), str("NEM", 40), str("HRV", 40),  date("DATUM")};
    s.indexes = {primary("PRIMARY", "LINK3;SORT")};
    return s;
}

TableSchema StandardSchemas::pictures()
{
    TableSchema s;
    s.name = QStringLiteral("pictures");
    s.fields = {i32("LINK3"), i16("SORT"), str("IME", 8)};
    s.indexes = {primary("PRIMARY", "LINK3")};
    return s;
}

TableSchema StandardSchemas::certificates()
{
    // Codes are short; certificate texts and file names get room to spare.
    TableSchema s;
    s.name = QStringLiteral("certificates");
    s.fields = {str("SIFRA", 15), str("SIFRAAT", 100), str("ST_ATESTA", 50), str("ST_POROC", 50),
                str("Files", 100)};
    s.indexes = {secondary("BySifra", "SIFRA")};
    return s;
}

TableSchema StandardSchemas::baseSet()
{
    TableSchema s;
    s.name = QStringLiteral("BaseSet");
    s.fields = {i32("L1"),        str("Type", 1),    str("Name", 50), str("File", 256),
                str("Status", 1), dateTime("DATUM"), i32("L2")};
    s.indexes = {primary("BaseSetL2", "L2")};
    return s;
}

TableSchema StandardSchemas::tNar()
{
    TableSchema s;
    s.name = QStringLiteral("TNar");
    s.fields = {i32("L1NAR"),      i32("Srt"),         i32("L1SYM"),         i32("L1DIM"),
                str("NAZIV", 50),  str("Ident", 9),    dateTime("DatRisba"), dateTime("Datnar"),
                str("Status", 1),  real("Kol"),        real("SymID"),        real("DimID"),
                str("Blok", 20),   str("BlockNo", 20), real("Cena"),         real("Rabat"),
                str("VALUTA", 3),  real("Neto"),       real("Vred"),         str("STATUSD", 1),
                str("STATUSS", 1), str("SymHID", 10),  str("DimHID", 10)};
    s.indexes = {primary("Narocilo", "Ident;Srt;L1NAR"),
                 secondary("Sort_Block", "L1NAR;Blok;BlockNo;Ident;Srt"),
                 secondary("Sort_Naziv", "L1NAR;NAZIV;Ident;Srt"),
                 secondary("Sort_IDENT", "L1NAR;Ident;Srt")};
    return s;
}

TableSchema StandardSchemas::tNarUN()
{
    TableSchema s;
    s.name = QStringLiteral("TNarUN");
    s.fields = {str("Ident", 9), str("Naziv", 50)};
    s.indexes = {primary("TNarUNIndex1", "Ident")};
    return s;
}

bool StandardSchemas::byName(const QString& name, TableSchema* schema)
{
    using Maker = TableSchema (*)();
    static const Maker makers[] = {tree,         attributes, texts, pictures,
                                   certificates, baseSet,    tNar,  tNarUN};
    for (Maker make : makers) {
        TableSchema s = make();
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) {
            *schema = s;
            return true;
        }
    }
    return false;
}

QStringList StandardSchemas::names()
{
    return {QStringLiteral("tree"),     QStringLiteral("attributes"),   QStringLiteral("texts"),
            QStringLiteral("pictures"), QStringLiteral("certificates"), QStringLiteral("BaseSet"),
            QStringLiteral("TNar"),     QStringLiteral("TNarUN")};
}
