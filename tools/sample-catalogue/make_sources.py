#!/usr/bin/env python3
"""Writes the CSV sources of the sample catalogue (sample/catalogue/*.csv).

The CSV files are the sources of record and may be edited by hand; this script
is how they were first laid out and can lay them out again. The deliberate
oddities of the sample (missing rows, duplicate rows, a bad page number) are
placed here on purpose; sample/catalogue/README.md lists them.

Usage: make_sources.py <output directory>
"""
import csv
import os
import sys

LANGS = ("SLO", "ANG", "NEM", "HRV")
DATE = "2024-03-15"


def tx(slo, ang, nem, hrv):
    t = {"SLO": slo, "ANG": ang, "NEM": nem, "HRV": hrv}
    for lang, value in t.items():
        if len(value) > 40:
            raise SystemExit("text longer than 40 characters (%s): %s" % (lang, value))
    return t


def same(text):
    return tx(text, text, text, text)


def dec(value):
    """A number as the continental languages write it: decimal comma where needed."""
    if float(value).is_integer():
        return str(int(value))
    return ("%g" % value).replace(".", ",")


def deca(value):
    """The same number as English writes it, with a decimal point."""
    return dec(value).replace(",", ".")


class Catalogue:
    def __init__(self):
        self.tree = []  # LINK1, LOOK, SORT, LINK2, DATUM
        self.attrs = []  # LINK2, LOOK, SORT, LINK3, TIPTX, DATUM
        self.texts = []  # LINK3, SORT, JEZIK, KODA, SLO, ANG, NEM, HRV, DATUM
        self.pictures = []  # LINK3, SORT, IME
        self.certs = []  # SIFRA, SIFRAAT, ST_ATESTA, ST_POROC, Files
        self.next_node = {0: 10, 1: 100, 2: 1000, 3: 10000}
        self.next_text = 1
        self.text_ids = {}
        self.picture_ids = {}
        self.children = {}
        self.codes = set()

    def text(self, t, koda=""):
        key = (koda,) + tuple(t[lang] for lang in LANGS)
        if koda == "" and key in self.text_ids:
            return self.text_ids[key]
        number = self.next_text
        self.next_text += 1
        self.texts.append([number, 1, "", koda] + [t[lang] for lang in LANGS] + [DATE])
        if koda == "":
            self.text_ids[key] = number
        return number

    def picture(self, ime):
        if len(ime) > 8:
            raise SystemExit("picture name longer than 8 characters: " + ime)
        if ime not in self.picture_ids:
            number = len(self.pictures) + 1
            self.pictures.append([number, 1, ime])
            self.picture_ids[ime] = number
        return self.picture_ids[ime]

    def attr(self, node, look, sort, link3, tiptx=""):
        self.attrs.append([node, look, sort, link3, tiptx, DATE])

    def link(self, parent, child, look="A"):
        sort = len(self.children.setdefault((parent, look), [])) + 1
        self.children[(parent, look)].append(child)
        self.tree.append([parent, look, sort, child, DATE])

    def node(self, level, parent, name, koda="", paragraphs=(), picture=None,
             name_row=True):
        number = self.next_node[level]
        self.next_node[level] += 1
        if parent is not None:
            self.link(parent, number)
        if name_row:
            self.attr(number, "A", 0, self.text(name, koda))
        for sort, (tiptx, t) in enumerate(paragraphs, start=1):
            if t is not None:
                self.attr(number, "A", sort, self.text(t), tiptx)
        if picture is not None:
            self.attr(number, "0", 1, self.picture(picture))
        return number

    def product(self, parent, koda, name, paragraphs, picture, dim=None, sym=None,
                sym3=None, name_row=True):
        if len(koda) != 7 or not koda.isdigit() or koda in self.codes:
            raise SystemExit("bad or duplicate product code: " + koda)
        self.codes.add(koda)
        number = self.node(3, parent, name, koda, paragraphs, picture, name_row)
        for sort, drawing in ((11, dim), (12, sym), (13, sym3)):
            if drawing:
                self.attr(number, "A", sort, self.text(same(drawing)))
        return number


# Paragraph helpers ---------------------------------------------------------

def p_voltage(text_v):
    return ("", tx("Nazivna napetost " + text_v, "Rated voltage " + text_v,
                   "Bemessungsspannung " + text_v, "Nazivni napon " + text_v))


def p_current(amps):
    a = dec(amps) + " A"
    return ("", tx("Nazivni tok " + a, "Rated current " + deca(amps) + " A", "Bemessungsstrom " + a,
                   "Nazivna struja " + a))


def p_breaking(ka):
    k = dec(ka) + " kA"
    return ("", tx("Odklopna zmogljivost " + k, "Breaking capacity " + deca(ka) + " kA",
                   "Ausschaltvermögen " + k, "Prekidna moć " + k))


def p_loss(watts):
    w = dec(watts) + " W"
    return ("", tx("Izgubna moč " + w, "Power dissipation " + deca(watts) + " W",
                   "Verlustleistung " + w,
                   "Snaga gubitaka " + w))


def p_standard(std):
    return ("", tx("Standard " + std, "Standard " + std, "Norm " + std, "Norma " + std))


def p_category(cat):
    return ("C", tx("Kategorija uporabe " + cat, "Utilisation category " + cat,
                    "Betriebsklasse " + cat, "Kategorija primjene " + cat))


def p_heading(t):
    return ("B", t)


CAT_DIGIT = {"gG": "1", "aM": "2", "gR": "3"}
SIZE_DIGIT = {"NH000": "0", "NH00": "1", "NH1": "2", "NH2": "3", "NH3": "4", "D II": "5",
              "D III": "6", "D01": "7", "D02": "8", "10x38": "9"}


def fuse_code(cat, size, amps):
    return "1" + CAT_DIGIT[cat] + SIZE_DIGIT[size] + "%04d" % round(amps * 10)


def size_name(size):
    return tx("Velikost " + size, "Size " + size, "Baugröße " + size, "Veličina " + size)


def picture_name(size):
    return size.replace(" ", "").replace("10x38", "C1038")


def fuse_loss(size, amps):
    # Typical rated power dissipation grows with the rating within a size.
    top = {"NH000": 7.5, "NH00": 12, "NH1": 23, "NH2": 34, "NH3": 48, "D II": 4.5,
           "D III": 7, "D01": 2.5, "D02": 5.5, "10x38": 3}[size]
    return round(top * (0.25 + 0.75 * amps / RATINGS_TOP[size]), 1)


RATINGS_TOP = {"NH000": 160, "NH00": 160, "NH1": 250, "NH2": 400, "NH3": 630, "D II": 25,
               "D III": 63, "D01": 16, "D02": 63, "10x38": 32}


def fuse_links(c, parent, cat, family, sizes, voltage, breaking, standard, dim_prefix):
    """A level-1 group of fuse links with one level-2 group per size."""
    for size, ratings in sizes:
        group = c.node(2, parent, size_name(size),
                       paragraphs=[p_heading(family(size, None)), p_category(cat)],
                       picture=picture_name(size) + cat.upper())
        for amps in ratings:
            name = family(size, amps)
            paras = [p_heading(name), p_category(cat), p_voltage(voltage), p_current(amps),
                     p_breaking(breaking), p_loss(fuse_loss(size, amps)),
                     p_standard(standard)]
            c.product(group, fuse_code(cat, size, amps), name, paras,
                      picture_name(size) + cat.upper(),
                      dim=dim_prefix + picture_name(size), sym="KS_FUSE")


def nh_name(size, amps, cat):
    if amps is None:
        return tx("NH talilni vložki " + size + " " + cat, "NH fuse links " + size + " " + cat,
                  "NH-Sicherungseinsätze " + size + " " + cat,
                  "NH rastalni ulošci " + size + " " + cat)
    r = " %s %s %s A" % (size, cat, dec(amps))
    ra = " %s %s %s A" % (size, cat, deca(amps))
    return tx("Talilni vložek" + r, "Fuse link" + ra, "NH-Sicherungseinsatz" + r,
              "Rastalni uložak" + r)


def d_name(size, amps, cat):
    nem = "D0-Sicherungseinsatz" if size.startswith("D0") else "D-Sicherungseinsatz"
    if amps is None:
        return tx("Talilni vložki " + size, "Fuse links " + size,
                  nem.replace("einsatz", "einsätze") + " " + size,
                  "Rastalni ulošci " + size)
    r = " %s %s %s A" % (size, cat, dec(amps))
    ra = " %s %s %s A" % (size, cat, deca(amps))
    return tx("Talilni vložek" + r, "Fuse link" + ra, nem + r, "Rastalni uložak" + r)


def cyl_name(size, amps, cat):
    if amps is None:
        return tx("Cil. talilni vložki " + size + " " + cat,
                  "Cylindrical fuse links " + size + " " + cat,
                  "Zyl. Sicherungseinsätze " + size + " " + cat,
                  "Cil. rastalni ulošci " + size + " " + cat)
    r = " %s %s %s A" % (size, cat, dec(amps))
    ra = " %s %s %s A" % (size, cat, deca(amps))
    return tx("Cil. talilni vložek" + r, "Cylindrical fuse link" + ra,
              "Zyl. Sicherungseinsatz" + r, "Cil. rastalni uložak" + r)


def chapter_paragraphs(heading, line2, line3):
    return [p_heading(heading), ("", line2), ("", line3)]


def build_nh(c):
    ch = c.node(0, None, tx("NH varovalčni sistem", "NH fuse system", "NH-Sicherungssystem",
                            "NH osigurački sustav"),
                paragraphs=chapter_paragraphs(
                    tx("NH varovalčni sistem", "NH fuse system", "NH-Sicherungssystem",
                       "NH osigurački sustav"),
                    tx("Talilni vložki in podstavki", "Fuse links and fuse bases",
                       "Sicherungseinsätze und Unterteile", "Rastalni ulošci i podnožja"),
                    tx("Velikosti NH000 do NH3", "Sizes NH000 to NH3", "Baugrößen NH000 bis NH3",
                       "Veličine NH000 do NH3")),
                picture="NHSYSTEM")
    gg = c.node(1, ch, tx("NH talilni vložki gG", "NH fuse links gG", "NH-Sicherungseinsätze gG",
                          "NH rastalni ulošci gG"),
                paragraphs=[p_heading(tx("NH talilni vložki gG", "NH fuse links gG",
                                         "NH-Sicherungseinsätze gG", "NH rastalni ulošci gG")),
                            p_category("gG")],
                picture="NH00GG")
    fuse_links(c, gg, "gG", lambda s, a: nh_name(s, a, "gG"), [
        ("NH000", [2, 4, 6, 10, 16, 20, 25, 32, 35, 40, 50, 63, 80, 100, 125, 160]),
        ("NH00", [6, 10, 16, 20, 25, 32, 35, 40, 50, 63, 80, 100, 125, 160]),
        ("NH1", [32, 35, 40, 50, 63, 80, 100, 125, 160, 200, 224, 250]),
        ("NH2", [63, 80, 100, 125, 160, 200, 224, 250, 300, 315, 355, 400]),
        ("NH3", [250, 300, 315, 355, 400, 425, 500, 630]),
    ], "500 V AC", 120, "IEC 60269-2", "KD_")
    # Size NH4a is announced but has no products yet: a group without children.
    c.node(2, gg, size_name("NH4a"),
           paragraphs=[p_heading(nh_name("NH4a", None, "gG")),
                       ("", tx("Po naročilu", "On request", "Auf Anfrage", "Po narudžbi"))],
           picture="NH3GG")
    am = c.node(1, ch, tx("NH talilni vložki aM", "NH fuse links aM", "NH-Sicherungseinsätze aM",
                          "NH rastalni ulošci aM"),
                paragraphs=[p_heading(tx("NH talilni vložki aM", "NH fuse links aM",
                                         "NH-Sicherungseinsätze aM", "NH rastalni ulošci aM")),
                            p_category("aM"),
                            ("", tx("Zaščita motorjev", "Motor protection", "Motorschutz",
                                    "Zaštita motora"))],
                picture="NH00AM")
    fuse_links(c, am, "aM", lambda s, a: nh_name(s, a, "aM"), [
        ("NH00", [16, 20, 25, 32, 35, 40, 50, 63, 80, 100, 125, 160]),
        ("NH1", [50, 63, 80, 100, 125, 160, 200, 250]),
        ("NH2", [125, 160, 200, 250, 315, 400]),
        ("NH3", [315, 355, 400, 500, 630]),
    ], "500 V AC", 80, "IEC 60269-2", "KD_")
    bases = c.node(1, ch, tx("NH varovalčni podstavki", "NH fuse bases", "NH-Sicherungsunterteile",
                             "NH podnožja osigurača"),
                   paragraphs=[p_heading(tx("NH varovalčni podstavki", "NH fuse bases",
                                            "NH-Sicherungsunterteile", "NH podnožja osigurača")),
                               p_standard("IEC 60269-2")],
                   picture="NHB00_1")
    for poles, group_name in ((1, tx("Enopolni podstavki", "1-pole fuse bases",
                                     "Unterteile 1-polig", "Jednopolna podnožja")),
                              (3, tx("Tripolni podstavki", "3-pole fuse bases",
                                     "Unterteile 3-polig", "Tropolna podnožja"))):
        g = c.node(2, bases, group_name, paragraphs=[p_heading(group_name)],
                   picture="NHB00_%d" % poles)
        for size, amps in (("NH000", 160), ("NH00", 160), ("NH1", 250), ("NH2", 400),
                           ("NH3", 630)):
            r = " %s %dp %d A" % (size, poles, amps)
            name = tx("Varovalčni podstavek" + r, "Fuse base %s %dP %d A" % (size, poles, amps),
                      "NH-Sicherungsunterteil" + r, "Podnožje osigurača" + r)
            code = "21%s%d%03d" % (SIZE_DIGIT[size], poles, amps % 1000)
            paras = [p_heading(name), p_voltage("690 V AC"), p_current(amps),
                     p_standard("IEC 60269-2")]
            c.product(g, code, name, paras, "NHB%s_%d" % (size[2:], poles),
                      dim="KD_NHB%s_%d" % (size[2:], poles), sym="KS_FUSE",
                      sym3="KS3_FUSE" if poles == 3 else None)
    return ch


def build_d(c):
    heading = tx("D varovalčni sistem", "D fuse system", "D-Sicherungssystem",
                 "D osigurački sustav")
    ch = c.node(0, None, heading, paragraphs=chapter_paragraphs(
        heading, tx("Sistema D in D0", "D and D0 systems", "Systeme D und D0",
                    "Sustavi D i D0"),
        tx("Talilni vložki, podstavki, kape", "Fuse links, bases and caps",
           "Einsätze, Sockel und Kappen", "Ulošci, podnožja i kape")), picture="D02GG")
    links = c.node(1, ch, tx("D talilni vložki gG", "D fuse links gG", "D-Sicherungseinsätze gG",
                             "D rastalni ulošci gG"),
                   paragraphs=[p_heading(tx("D talilni vložki gG", "D fuse links gG",
                                            "D-Sicherungseinsätze gG", "D rastalni ulošci gG")),
                               p_category("gG")], picture="DIIGG")
    fuse_links(c, links, "gG", lambda s, a: d_name(s, a, "gG"), [
        ("D II", [2, 4, 6, 10, 13, 16, 20, 25]),
        ("D III", [35, 50, 63]),
        ("D01", [2, 4, 6, 10, 13, 16]),
        ("D02", [20, 25, 32, 35, 40, 50, 63]),
    ], "400 V AC", 50, "IEC 60269-3", "KD_")
    acc = c.node(1, ch, tx("D podstavki in kape", "D fuse bases and caps", "D-Sockel und Kappen",
                           "D podnožja i kape"),
                 paragraphs=[p_heading(tx("D podstavki in kape", "D fuse bases and caps",
                                          "D-Sockel und Kappen", "D podnožja i kape"))],
                 picture="DB02_3")
    gb = c.node(2, acc, tx("Varovalčni podstavki", "Fuse bases", "Sicherungssockel",
                           "Podnožja osigurača"),
                paragraphs=[p_heading(tx("Varovalčni podstavki", "Fuse bases", "Sicherungssockel",
                                         "Podnožja osigurača"))], picture="DB02_3")
    for size, amps in (("D II", 25), ("D III", 63), ("D01", 16), ("D02", 63)):
        for poles in (1, 3):
            r = " %s %dp %d A" % (size, poles, amps)
            nem = "D0-Sicherungssockel" if size.startswith("D0") else "D-Sicherungssockel"
            name = tx("Varovalčni podstavek" + r, "Fuse base %s %dP %d A" % (size, poles, amps),
                      nem + r, "Podnožje osigurača" + r)
            code = "22%s%d%03d" % (SIZE_DIGIT[size], poles, amps)
            short = size.replace(" ", "")
            c.product(gb, code, name, [p_heading(name), p_voltage("400 V AC"), p_current(amps),
                                       p_standard("IEC 60269-3")],
                      "DB%s_%d" % (short[1:], poles), dim="KD_DB%s_%d" % (short[1:], poles),
                      sym="KS_FUSE", sym3="KS3_FUSE" if poles == 3 else None,
                      # The D01 1-pole base has lost its name row: it shows an empty line.
                      name_row=not (size == "D01" and poles == 1))
    caps = c.node(2, acc, tx("Vijačne kape", "Screw caps", "Schraubkappen", "Vijčane kape"),
                  paragraphs=[p_heading(tx("Vijačne kape", "Screw caps", "Schraubkappen",
                                           "Vijčane kape"))], picture="DKAP")
    for size, amps in (("D II", 25), ("D III", 63)):
        r = " %s %d A" % (size, amps)
        name = tx("Vijačna kapa" + r, "Screw cap" + r, "Schraubkappe" + r, "Vijčana kapa" + r)
        code = "23%s0%03d" % (SIZE_DIGIT[size], amps)
        # The D III cap has no page paragraphs at all: its page is empty.
        paras = [p_heading(name), p_current(amps)] if size == "D II" else []
        c.product(caps, code, name, paras, "DKAP")
    return ch


def build_cyl(c):
    heading = tx("Cilindrični varovalčni sistem", "Cylindrical fuse system",
                 "Zylindersicherungssystem", "Cilindrični osigurački sustav")
    ch = c.node(0, None, heading, paragraphs=chapter_paragraphs(
        heading, tx("Velikost 10x38", "Size 10x38", "Baugröße 10x38", "Veličina 10x38"),
        tx("Za modularno vgradnjo", "For modular installation", "Für Reiheneinbau",
           "Za modularnu ugradnju")), picture="C1038GG")
    links = c.node(1, ch, tx("Cilindrični talilni vložki", "Cylindrical fuse links",
                             "Zylindersicherungseinsätze", "Cilindrični rastalni ulošci"),
                   paragraphs=[p_heading(tx("Cilindrični talilni vložki", "Cylindrical fuse links",
                                            "Zylindersicherungseinsätze",
                                            "Cilindrični rastalni ulošci"))],
                   picture="C1038GG")
    for cat, ratings, breaking in (("gG", [2, 4, 6, 8, 10, 12, 16, 20, 25, 32], 100),
                                   ("aM", [0.5, 1, 2, 4, 6, 8, 10, 12, 16, 20, 25, 32], 100)):
        g = c.node(2, links, same("10x38 " + cat),
                   paragraphs=[p_heading(cyl_name("10x38", None, cat)), p_category(cat)],
                   picture="C1038" + cat.upper())
        for amps in ratings:
            name = cyl_name("10x38", amps, cat)
            paras = [p_heading(name), p_category(cat), p_voltage("500 V AC"), p_current(amps),
                     p_breaking(breaking), p_loss(fuse_loss("10x38", amps)),
                     p_standard("IEC 60269-2")]
            c.product(g, fuse_code(cat, "10x38", amps), name, paras, "C1038" + cat.upper(),
                      dim="KD_C1038", sym="KS_FUSE")
    disc = c.node(1, ch, tx("Varovalčni ločilniki", "Fuse disconnectors", "Sicherungstrennschalter",
                            "Rastavljači s osiguračima"),
                  paragraphs=[p_heading(tx("Varovalčni ločilniki", "Fuse disconnectors",
                                           "Sicherungstrennschalter",
                                           "Rastavljači s osiguračima")),
                              p_standard("IEC 60947-3")], picture="CH1P")
    g = c.node(2, disc, tx("10x38 modularni", "10x38 modular", "10x38 Reiheneinbau",
                           "10x38 modularni"),
               paragraphs=[p_heading(tx("10x38 modularni", "10x38 modular", "10x38 Reiheneinbau",
                                        "10x38 modularni"))], picture="CH1P")
    for digit, poles, ang_poles, modules in (("1", "1p", "1P", 1), ("2", "1p+N", "1P+N", 2),
                                             ("3", "2p", "2P", 2), ("4", "3p", "3P", 3),
                                             ("5", "3p+N", "3P+N", 4)):
        name = tx("Varovalčni ločilnik 10x38 %s 32 A" % poles,
                  "Fuse disconnector 10x38 %s 32 A" % ang_poles,
                  "Sicherungstrennschalter 10x38 %s 32 A" % poles,
                  "Rastavljač s osig. 10x38 %s 32 A" % poles)
        paras = [p_heading(name), p_voltage("690 V AC"), p_current(32),
                 ("", tx("Širina: %d %s" % (modules, {1: "modul", 2: "modula"}.get(modules, "moduli")),
                         "Width: %d module%s" % (modules, "s" if modules > 1 else ""),
                         "Breite: %d TE" % modules,
                         "Širina: %d %s" % (modules, "modul" if modules == 1 else "modula"))),
                 p_standard("IEC 60947-3")]
        c.product(g, "249%s032" % digit, name, paras,
                  "CH" + ang_poles.replace("+", ""), dim="KD_CH%dM" % modules, sym="KS_FDISC",
                  sym3="KS3_FDISC" if poles.startswith("3") else None)
    return ch


def build_fsd(c):
    heading = tx("Varovalčni stikalni ločilniki", "Fuse switch disconnectors",
                 "Sicherungs-Lasttrennschalter", "Rastavne sklopke s osiguračima")
    ch = c.node(0, None, heading, paragraphs=chapter_paragraphs(
        heading, tx("Za NH talilne vložke", "For NH fuse links", "Für NH-Sicherungseinsätze",
                    "Za NH rastalne uloške"),
        p_standard("IEC 60947-3")[1]), picture="FSD00H")
    l1 = c.node(1, ch, tx("NH varovalčni stikalni ločilniki", "NH fuse switch disconnectors",
                          "NH-Sicherungs-Lasttrennschalter", "NH rastavne sklopke s osigur."),
                paragraphs=[p_heading(tx("NH varovalčni stikalni ločilniki",
                                         "NH fuse switch disconnectors",
                                         "NH-Sicherungs-Lasttrennschalter",
                                         "NH rastavne sklopke s osigur."))],
                picture="FSD00H")
    for design, gname, sizes in (
            ("1", tx("Vodoravna izvedba", "Horizontal design", "Blockbauform",
                     "Vodoravna izvedba"),
             (("NH000", 160), ("NH00", 160), ("NH1", 250), ("NH2", 400), ("NH3", 630))),
            ("2", tx("Navpična izvedba (letev)", "Vertical design (strip)", "Leistenbauform",
                     "Okomita izvedba (letva)"),
             (("NH00", 160), ("NH1", 250), ("NH2", 400), ("NH3", 630)))):
        suffix = "H" if design == "1" else "V"
        g = c.node(2, l1, gname, paragraphs=[p_heading(gname)],
                   picture="FSD00" + suffix)
        for size, amps in sizes:
            r = " %s %d A" % (size, amps)
            name = tx("Var. stikalni ločilnik" + r, "Fuse switch disconnector" + r,
                      "Sicherungs-Lasttrennschalter" + r, "Rastavna sklopka s osig." + r)
            paras = [p_heading(name), ("C", gname), p_voltage("690 V AC"), p_current(amps),
                     ("", tx("Kategorija uporabe AC-23B", "Utilisation category AC-23B",
                             "Gebrauchskategorie AC-23B", "Kategorija primjene AC-23B")),
                     p_standard("IEC 60947-3")]
            code = "3%s%s0%03d" % (design, SIZE_DIGIT[size], amps)
            c.product(g, code, name, paras, "FSD%s%s" % (size[2:], suffix),
                      dim="KD_FSD%s%s" % (size[2:], suffix), sym="KS_FSD", sym3="KS3_FSD")
    # Announced accessories without any entries: a level-1 group without children.
    c.node(1, ch, tx("Pribor", "Accessories", "Zubehör", "Pribor"),
           paragraphs=[p_heading(tx("Pribor", "Accessories", "Zubehör", "Pribor"))],
           picture="FSD00H")
    return ch


def build_modular(c):
    heading = tx("Modularni aparati", "Modular devices", "Reiheneinbaugeräte",
                 "Modularni uređaji")
    ch = c.node(0, None, heading, paragraphs=chapter_paragraphs(
        heading, tx("Odklopniki, FID stikala, odvodniki", "Circuit breakers, RCDs, surge arresters",
                    "LS-, FI-Schalter, Ableiter", "Prekidači, ZSS, odvodnici"),
        tx("Za montažo na DIN letev 35 mm", "For 35 mm DIN rail mounting",
           "Für Hutschiene 35 mm", "Za montažu na DIN letvu 35 mm")), picture="MCB1P")
    mcb = c.node(1, ch, tx("Inštalacijski odklopniki", "Miniature circuit breakers",
                           "Leitungsschutzschalter", "Instalacijski prekidači"),
                 paragraphs=[p_heading(tx("Inštalacijski odklopniki", "Miniature circuit breakers",
                                          "Leitungsschutzschalter", "Instalacijski prekidači")),
                             p_standard("IEC 60898-1")], picture="MCB1P")
    for cdigit, char in (("1", "B"), ("2", "C")):
        gname = tx("Karakteristika " + char, "Characteristic " + char, "Charakteristik " + char,
                   "Karakteristika " + char)
        g = c.node(2, mcb, gname, paragraphs=[p_heading(gname)], picture="MCB1P")
        for poles in (1, 3):
            for amps in (6, 10, 13, 16, 20, 25, 32, 40, 50, 63):
                r = " %s%d %dp 10 kA" % (char, amps, poles)
                name = tx("Inštalacijski odklopnik" + r,
                          "Miniature circuit breaker %s%d %dP 10 kA" % (char, amps, poles),
                          "Leitungsschutzschalter" + r, "Instalacijski prekidač" + r)
                paras = [p_heading(name), ("C", gname),
                         p_voltage("230/400 V AC"), p_current(amps),
                         p_breaking(10), p_standard("IEC 60898-1")]
                code = "4%s%d0%03d" % (cdigit, poles, amps)
                if char == "C" and poles == 1 and amps == 16:
                    # An unknown paragraph style: that paragraph stays empty.
                    paras.append(("X", tx("Stari slog", "Old style", "Alter Stil",
                                          "Stari stil")))
                c.product(g, code, name, paras, "MCB%dP" % poles, dim="KD_MOD%dM" % poles,
                          sym="KS_MCB", sym3="KS3_MCB" if poles == 3 else None)
    rcd = c.node(1, ch, tx("Stikala na diferenčni tok", "Residual current devices",
                           "FI-Schutzschalter", "Zaštitne strujne sklopke"),
                 paragraphs=[p_heading(tx("Stikala na diferenčni tok", "Residual current devices",
                                          "FI-Schutzschalter", "Zaštitne strujne sklopke")),
                             p_standard("IEC 61008-1")], picture="RCD2P")
    for poles, gname, ratings in ((2, tx("Dvopolna", "2-pole", "2-polig", "Dvopolne"),
                                   (25, 40, 63)),
                                  (4, tx("Štiripolna", "4-pole", "4-polig", "Četveropolne"),
                                   (25, 40, 63, 100))):
        g = c.node(2, rcd, gname, paragraphs=[p_heading(gname)], picture="RCD%dP" % poles)
        for amps in ratings:
            for ma, mdigit in ((30, "1"), (300, "3")):
                r = " %dp %d A %d mA" % (poles, amps, ma)
                name = tx("Stikalo na dif. tok" + r,
                          "Residual current device %dP %d A %d mA" % (poles, amps, ma),
                          "FI-Schutzschalter" + r, "Zašt. strujna sklopka" + r)
                paras = [p_heading(name), ("C", tx("Tip A", "Type A", "Typ A", "Tip A")),
                         p_voltage("230/400 V AC"), p_current(amps),
                         ("", tx("Diferenčni tok %d mA" % ma, "Residual current %d mA" % ma,
                                 "Bemessungsfehlerstrom %d mA" % ma,
                                 "Diferencijalna struja %d mA" % ma)),
                         p_standard("IEC 61008-1")]
                code = "5%d%s0%03d" % (poles, mdigit, amps)
                c.product(g, code, name, paras, "RCD%dP" % poles, dim="KD_MOD%dM" % poles,
                          sym="KS_RCD", sym3="KS3_RCD" if poles == 4 else None)
    spd = c.node(1, ch, tx("Prenapetostni odvodniki", "Surge arresters", "Überspannungsableiter",
                           "Odvodnici prenapona"),
                 paragraphs=[p_heading(tx("Prenapetostni odvodniki", "Surge arresters",
                                          "Überspannungsableiter", "Odvodnici prenapona")),
                             p_standard("IEC 61643-11")], picture="SPD1P")
    for t, devices in ((1, ((1, 255), (3, 255), (4, 255))),
                       (2, ((1, 275), (1, 385), (3, 275), (4, 275)))):
        gname = tx("Tip %d" % t, "Type %d" % t, "Typ %d" % t, "Tip %d" % t)
        g = c.node(2, spd, gname, paragraphs=[p_heading(gname)], picture="SPD1P")
        for poles, uc in devices:
            r = " T%d %dp %d V" % (t, poles, uc)
            name = tx("Prenapetostni odvodnik" + r, "Surge arrester T%d %dP %d V" % (t, poles, uc),
                      "Überspannungsableiter" + r, "Odvodnik prenapona" + r)
            imp = ("", tx("Impulzni tok Iimp 25 kA", "Impulse current Iimp 25 kA",
                          "Blitzstoßstrom Iimp 25 kA", "Impulsna struja Iimp 25 kA")) if t == 1 else \
                ("", tx("Odvodni tok Imax 40 kA", "Discharge current Imax 40 kA",
                        "Max. Ableitstoßstrom Imax 40 kA", "Odvodna struja Imax 40 kA"))
            paras = [p_heading(name), ("C", gname),
                     ("", tx("Najvišja trajna napetost Uc %d V" % uc, "Max. continuous voltage Uc %d V" % uc,
                             "Höchste Dauerspannung Uc %d V" % uc, "Najveći trajni napon Uc %d V" % uc)),
                     imp, p_standard("IEC 61643-11")]
            code = "6%d%d0%03d" % (t, poles, uc)
            modules = poles * (2 if t == 1 else 1)
            c.product(g, code, name, paras, "SPD%dP" % min(poles, 3),
                      dim="KD_MOD%dM" % modules, sym="KS_SPD",
                      sym3="KS3_SPD" if poles >= 3 else None)
    return ch


def build_hv(c):
    heading = tx("VN varovalke", "HV fuses", "HH-Sicherungen", "VN osigurači")
    ch = c.node(0, None, heading, paragraphs=chapter_paragraphs(
        heading, tx("Za 7,2 kV do 36 kV", "For 7.2 kV to 36 kV", "Für 7,2 kV bis 36 kV",
                    "Za 7,2 kV do 36 kV"),
        tx("Zaščita transformatorjev", "Transformer protection", "Transformatorschutz",
           "Zaštita transformatora")), picture="HV292")
    links = c.node(1, ch, tx("VN talilni vložki", "HV fuse links", "HH-Sicherungseinsätze",
                             "VN rastalni ulošci"),
                   paragraphs=[p_heading(tx("VN talilni vložki", "HV fuse links",
                                            "HH-Sicherungseinsätze", "VN rastalni ulošci")),
                               p_standard("IEC 60282-1")], picture="HV292")
    for vdigit, kv, length, ratings in (
            ("1", 7.2, 192, (6.3, 10, 16, 20, 25, 31.5, 40, 50, 63, 80, 100, 125, 160, 200)),
            ("2", 12, 292, (6.3, 10, 16, 20, 25, 31.5, 40, 50, 63, 80, 100, 125)),
            ("3", 24, 442, (6.3, 10, 16, 20, 25, 31.5, 40, 50, 63)),
            ("4", 36, 537, (6.3, 10, 16, 20, 25, 31.5, 40))):
        v = dec(kv) + " kV"
        va = deca(kv) + " kV"
        vt = tx(v, va, v, v)
        g = c.node(2, links, vt, paragraphs=[p_heading(vt), (
            "", tx("Dolžina e = %d mm" % length, "Length e = %d mm" % length,
                   "Länge e = %d mm" % length, "Duljina e = %d mm" % length))],
            picture="HV%d" % length)
        for amps in ratings:
            r = " %s %s A" % (v, dec(amps))
            name = tx("VN talilni vložek" + r, "HV fuse link %s %s A" % (va, deca(amps)),
                      "HH-Sicherungseinsatz" + r,
                      "VN rastalni uložak" + r)
            diameter = 53 if amps <= 40 else (67 if amps <= 100 else 88)
            paras = [p_heading(name), ("C", tx("Delnoobmočni talilni vložek", "Back-up fuse link",
                                               "Teilbereichssicherung",
                                               "Uložak za djelomično područje")),
                     ("", tx("Nazivna napetost " + v, "Rated voltage " + va,
                             "Bemessungsspannung " + v, "Nazivni napon " + v)), p_current(amps), p_breaking(40 if kv < 30 else 31.5),
                     ("", tx("Dolžina e = %d mm" % length, "Length e = %d mm" % length,
                             "Länge e = %d mm" % length, "Duljina e = %d mm" % length)),
                     ("", tx("Premer %d mm" % diameter, "Diameter %d mm" % diameter,
                             "Durchmesser %d mm" % diameter, "Promjer %d mm" % diameter)),
                     p_standard("IEC 60282-1")]
            code = "7%s0%04d" % (vdigit, round(amps * 10))
            c.product(g, code, name, paras, "HV%d" % length, dim="KD_HV%d_%d" % (length, diameter),
                      sym="KS_HVFUSE", sym3="KS3_FUSE")
    return ch


def build_semiconductor(c):
    heading = tx("Varovalke za polprevodnike", "Semiconductor fuses",
                 "Halbleiterschutzsicherungen", "Osigurači za poluvodiče")
    ch = c.node(0, None, heading, paragraphs=chapter_paragraphs(
        heading, p_category("gR")[1],
        tx("Zaščita diod in tiristorjev", "Protection of diodes and thyristors",
           "Schutz von Dioden und Thyristoren", "Zaštita dioda i tiristora")), picture="NH1GR")
    nh = c.node(1, ch, tx("NH talilni vložki gR", "NH fuse links gR", "NH-Sicherungseinsätze gR",
                          "NH rastalni ulošci gR"),
                paragraphs=[p_heading(tx("NH talilni vložki gR", "NH fuse links gR",
                                         "NH-Sicherungseinsätze gR", "NH rastalni ulošci gR")),
                            p_category("gR")], picture="NH1GR")
    fuse_links(c, nh, "gR", lambda s, a: nh_name(s, a, "gR"), [
        ("NH00", [32, 40, 50, 63, 80, 100, 125, 160]),
        ("NH1", [100, 125, 160, 200, 250, 315]),
        ("NH2", [250, 315, 350, 400, 450, 500]),
        ("NH3", [500, 630, 710, 800]),
    ], "690 V AC", 100, "IEC 60269-4", "KD_")
    cyl = c.node(1, ch, tx("Cil. talilni vložki gR", "Cylindrical fuse links gR",
                           "Zyl. Sicherungseinsätze gR", "Cil. rastalni ulošci gR"),
                 paragraphs=[p_heading(tx("Cil. talilni vložki gR", "Cylindrical fuse links gR",
                                          "Zyl. Sicherungseinsätze gR",
                                          "Cil. rastalni ulošci gR"))], picture="C1038GR")
    fuse_links(c, cyl, "gR", lambda s, a: cyl_name(s, a, "gR"), [
        ("10x38", [6, 10, 16, 20, 25, 32]),
    ], "690 V AC", 100, "IEC 60269-4", "KD_")
    return ch


def main():
    out = sys.argv[1]
    c = Catalogue()
    # Market segments: rows below the root node 0.
    for sort, segment in enumerate((2, 3, 4), start=1):
        c.tree.append([0, "A", sort, segment, DATE])
    nh = build_nh(c)
    d = build_d(c)
    cyl = build_cyl(c)
    fsd = build_fsd(c)
    mod = build_modular(c)
    hv = build_hv(c)
    semi = build_semiconductor(c)
    for chapter in (nh, d, cyl, fsd, mod):
        c.link(2, chapter)
    # The energy segment is sparse: the HV fuses and, a second time, the NH system.
    c.link(3, hv)
    c.link(3, nh)
    c.link(4, semi)
    paginate(c, (nh, d, cyl, fsd, mod, hv, semi))
    finish(c)
    write(c, out)


PER_CATALOGUE_PAGE = 12
PER_DATA_PAGE = 10


def paginate(c, chapters):
    """Page numbers of every node in its chapter PDF and in the technical data.

    Page 1 of each chapter is its title page; every level-2 group starts a new
    page and fills as many pages as its products need. The technical data
    document counts on across the chapters after its own title page. The PDF
    generator places each product on the page given here.
    """
    data_page = 2
    for chapter in chapters:
        page = 2
        c.attr(chapter, "A", 10, c.text(same("1")))
        c.attr(chapter, "A", 20, c.text(same(str(data_page))))
        for l1 in c.children.get((chapter, "A"), []):
            first = True
            for l2 in c.children.get((l1, "A"), []):
                products = c.children.get((l2, "A"), [])
                if first:
                    c.attr(l1, "A", 10, c.text(same(str(page))))
                    c.attr(l1, "A", 20, c.text(same(str(data_page))))
                    first = False
                c.attr(l2, "A", 10, c.text(same(str(page))))
                c.attr(l2, "A", 20, c.text(same(str(data_page))))
                for i, product in enumerate(products):
                    c.attr(product, "A", 10,
                           c.text(same(str(page + i // PER_CATALOGUE_PAGE))))
                    c.attr(product, "A", 20,
                           c.text(same(str(data_page + i // PER_DATA_PAGE))))
                page += max(1, -(-len(products) // PER_CATALOGUE_PAGE))
                data_page += max(1, -(-len(products) // PER_DATA_PAGE))
    c.attrs.sort(key=lambda a: (a[0], a[1], a[2], a[3]))


def node_of(c, code):
    for text in c.texts:
        if text[3] == code:
            for attr in c.attrs:
                if attr[1] == "A" and attr[2] == 0 and attr[3] == text[0]:
                    return attr[0]
    raise SystemExit("no product " + code)


def finish(c):
    """Deliberate oddities that the programs must cope with."""
    # Several certificates for one product, and one certificate file per family.
    showcase = "1110630"  # NH00 gG 63 A
    c.certs.append([showcase, "CB test certificate", "CB-0417/2021", "R-21-0815", "CB_NHGG"])
    c.certs.append([showcase, "Type test certificate", "TT-1102", "R-19-2201", "TT_1110630"])
    c.certs.append([showcase, "EU declaration of conformity", "DoC-2023-07", "-", "DOC_FUSE"])
    for text in c.texts:
        code = text[3]
        if not code or code == showcase:
            continue
        family = code[:2]
        if family == "11" and code[2] in "01234":
            c.certs.append([code, "CB test certificate", "CB-0417/2021", "R-21-0815", "CB_NHGG"])
        elif family == "12":
            c.certs.append([code, "CB test certificate", "CB-0552/2022", "R-22-0107", "CB_NHAM"])
        elif family == "13":
            c.certs.append([code, "Type test certificate", "TT-2210", "R-22-1010", "TT_GR"])
        elif family == "11":
            c.certs.append([code, "EU declaration of conformity", "DoC-2023-07", "-", "DOC_FUSE"])
        elif code[0] == "4":
            c.certs.append([code, "CB test certificate", "CB-0931/2020", "R-20-0420", "CB_MCB"])
        elif code[0] == "5":
            files = "CB_RCD" if code != "5430100" else "CB_RCD100"  # the latter has no file
            c.certs.append([code, "CB test certificate", "CB-1177/2022", "R-22-0930", files])
    c.certs.sort(key=lambda row: row[0])

    # A product without a picture row (it shows the first picture of the table).
    node = node_of(c, "1246300")  # NH3 aM 630 A
    c.attrs = [a for a in c.attrs if not (a[0] == node and a[1] == "0")]
    # A picture row that leads to no picture: picture number 999 is not in the table.
    node = node_of(c, "1245000")  # NH3 aM 500 A
    for a in c.attrs:
        if a[0] == node and a[1] == "0":
            a[3] = 999
    # A picture whose file is not installed (names starting MISS are never drawn).
    node = node_of(c, "1244000")  # NH3 aM 400 A
    missing = c.picture("MISSNH3")
    for a in c.attrs:
        if a[0] == node and a[1] == "0":
            a[3] = missing
    # A second name row of one product with a higher text number, listed first in
    # the file: the lower text number wins.
    node = node_of(c, "1110800")  # NH00 gG 80 A
    wrong = c.text(tx("Napačno ime", "Wrong name", "Falscher Name", "Pogrešno ime"))
    c.attrs.insert(0, [node, "A", 0, wrong, "", DATE])
    # Two text rows of one text number: the row with the lower SORT wins, even though
    # the other one comes first in the file.
    text = [t for t in c.texts if t[3] == "1110100"][0]  # NH00 gG 10 A
    old = [text[0], 2, "", "1110100", "Talilni vložek NH00 10 A (star)",
           "Fuse link NH00 10 A (old)", "NH-Sicherungseinsatz 00 10 A (alt)",
           "Rastalni uložak NH00 10 A (star)", "2019-01-01"]
    c.texts.insert(0, old)
    # A page number with a letter after it: the program turns to no page.
    node = node_of(c, "1231250")  # NH2 aM 125 A, shown on page 12 of its chapter
    for a in c.attrs:
        if a[0] == node and a[1] == "A" and a[2] == 10:
            a[3] = c.text(same("12a"))
    # A tree row of another branch code: it never shows in the tree.
    gg_group = c.children[(10, "A")][0]
    c.tree.append([gg_group, "B", 1, node_of(c, "1146300"), DATE])


def write(c, out):
    os.makedirs(out, exist_ok=True)
    tables = (
        ("tree.csv", ["LINK1", "LOOK", "SORT", "LINK2", "DATUM"], c.tree),
        ("attributes.csv", ["LINK2", "LOOK", "SORT", "LINK3", "TIPTX", "DATUM"], c.attrs),
        ("texts.csv", ["LINK3", "SORT", "JEZIK", "KODA"] + list(LANGS) + ["DATUM"], c.texts),
        ("pictures.csv", ["LINK3", "SORT", "IME"], c.pictures),
        ("certificates.csv", ["SIFRA", "SIFRAAT", "ST_ATESTA", "ST_POROC", "Files"], c.certs),
    )
    for name, header, rows in tables:
        with open(os.path.join(out, name), "w", newline="", encoding="utf-8") as f:
            w = csv.writer(f, lineterminator="\n")
            w.writerow(header)
            w.writerows(rows)
    print("products:", len(c.codes), "texts:", len(c.texts), "attributes:", len(c.attrs))


if __name__ == "__main__":
    main()
