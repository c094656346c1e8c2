#!/usr/bin/env python3
"""Writes the demo catalogue: the six SQL scripts in data/demo-catalogue/, in the builder's format.

Every brand, trade group and part number here is made up. The output is fixed (seeded), so running
this again gives the same files; scripts/demo-catalogue loads them.
"""

import pathlib
import random
import re

OUT = pathlib.Path(__file__).resolve().parent / "demo-catalogue"
DATA_VERSION = "2025/11"
BATCH = 1000

# The creation script, as catalogue/CatalogueSchema.cpp holds it (a test compares the two).
HEAD = [
    "-- ",
    "-- CREATING DATABASE",
    "-- ",
    " ",
    "CREATE DATABASE IF NOT EXISTS `SERVICE_ARGENTLEAF`; USE `SERVICE_ARGENTLEAF`; ",
    " ",
    "-- ",
    "-- CREATING TABLE PARAMETRS",
    "-- ",
    " ",
    "DROP TABLE IF EXISTS `PARAMETERS`; CREATE TABLE `PARAMETERS` (`name` varchar(60) NOT NULL DEFAULT '', "
    "`value` varchar(100) NOT NULL DEFAULT '') ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "LOCK TABLES `PARAMETERS` WRITE;",
]
TAIL = [
    "UNLOCK TABLES;",
    " ",
    "-- ",
    "-- DATA TABLES FROM TECDOC",
    "-- ",
    " ",
    "DROP TABLE IF EXISTS `PARTS`; CREATE TABLE `PARTS` (`ARTID` int(11) NOT NULL, `SUPID` int(11) NOT NULL, "
    "`GAID` int(11) NOT NULL, `CODEPART` varchar(70) NOT NULL, `FREECODEPART` varchar(70) NOT NULL, "
    "PRIMARY KEY (`ARTID`), KEY `SUPID` (`SUPID`), KEY `FREECODEPART` (`FREECODEPART`), KEY `GAID` (`GAID`)) "
    "ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `SUPPLIERS`; CREATE TABLE `SUPPLIERS` (`SUPID` int(11) NOT NULL, `BRAND` varchar(60) "
    "NOT NULL, PRIMARY KEY (`SUPID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `TRADEGROUPS`; CREATE TABLE `TRADEGROUPS` (`GAID` int(11) NOT NULL, `LNGID` int(11) "
    "NOT NULL, `TEXTID` int(11) NOT NULL, KEY `GAID_LNGID` (`GAID`, `LNGID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `SYSTEMGROUPS`; CREATE TABLE `SYSTEMGROUPS` (`GAID` int(11) NOT NULL, `LNGID` int(11) "
    "NOT NULL, `TEXTID` int(11) NOT NULL, KEY `GAID_LNGID` (`GAID`, `LNGID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `DATATEXT`; CREATE TABLE `DATATEXT` (`TEXTID` int(11) NOT NULL, `NAME` varchar(1200) "
    "NOT NULL, PRIMARY KEY (`TEXTID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `LANGUAGES`; CREATE TABLE `LANGUAGES` (`LNGID` int(11) NOT NULL, `NAME` varchar(5) "
    "NOT NULL, PRIMARY KEY (`LNGID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `MANUFACTURERS`; CREATE TABLE `MANUFACTURERS` (`MFAID` int(11) NOT NULL, `NAME` "
    "varchar(60) NOT NULL, PRIMARY KEY (`MFAID`), KEY `NAME` (`NAME`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
    "DROP TABLE IF EXISTS `MODELS`; CREATE TABLE `MODELS` (`MODID` int(11) NOT NULL, `MFAID` int(11) NOT NULL, "
    "`YSTART` int(11) NOT NULL DEFAULT '0', `YSTOP` int(11) NOT NULL DEFAULT '0', `TEXTID` int(11) NOT NULL,  "
    "PRIMARY KEY (`MODID`), KEY `MFAID` (`MFAID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; ",
]

LANGUAGES = {1: "de", 4: "en", 6: "fr", 7: "es", 16: "pl"}  # es has no trade group texts
LNG = {"en": 4, "de": 1, "fr": 6, "pl": 16}

# Invented brand names, each with the way it writes its part numbers.
BRANDS = [
    (11, "ARVELTA", "0 {d3} {d3} {d3}"),
    (14, "BORGSTAD", "BS-{d5}"),
    (17, "CALDORIN", "{d2}.{d4}"),
    (23, "DRENMARK", "DM {d4}/{d2}"),
    (31, "ELSWICK", "E{d6}"),
    (35, "FERROVAN", "FV{d3}-{d3}"),
    (42, "GALTRA", "{d8}"),
    (48, "HOLMVIK", "HV {L2}{d3}"),
    (53, "IRONDALE", "ID/{d4}/{d1}"),
    (59, "JASPERLINE", "jl-{d5}"),
    (64, "KESTRELL", "K{d3}.{d3}"),
    (72, "LUMARO", "00{d6}"),
    (77, "MERIDANT", "MD{d4}{L1}"),
    (81, "NOVAGRIP", "NG {d3} {d2}"),
    (86, "ORVANE", "{d3}.{d3}.{d3}"),
    (93, "PELLIRO", "P-{d2}-{d4}"),
    (97, "QUINTARO", "QT{d5}"),
    (103, "RASKEN", "{d4}-{d4}"),
    (108, "STRELLA", "ST.{d5}"),
    (115, "TORVIK", "T {d6}"),
    (121, "ULMENHOF", "U{d2}/{d3}"),
    (126, "VANTERRA", "VT-{L2}-{d4}"),
    (134, "WEXMOOR", "wx{d6}"),
    (139, "YARDELL", "Y {d3}-{d2}"),
    (145, "ZENTROX", "ZX{d4}"),
    (152, "O'KELLAN", "OK {d4}.{d1}"),
    (158, "SØRLANDT", "{d2} {d2} {d2} {d2}"),
    (163, "MÜHLBACH", "MB {d6}"),
    (171, "BRIGHTWELL MOTIVE", "BW/{d5}"),
    (177, "CORDANA", "C.{d3}.{d4}"),
    (184, "DUNMERE", "{d5}/{d2}"),
    (190, "FALKENRODE", "FR {d3} {d3}"),
    (196, "GRANVIK", "0{d4}-{d3}"),
    (203, "HARTWELL & SONS", "HS{d4}/{L1}"),
    (211, "ISOLDA", "IS-{d3}.{d2}"),
    (218, "KORMANN-TEC", "KT {d7}"),
]

# Trade group terms: English, German, French, Polish (None: no Polish text), and which variants exist.
TERMS = [
    ("Oil Filter", "Ölfilter", "Filtre à huile", "Filtr oleju", ""),
    ("Air Filter", "Luftfilter", "Filtre à air", "Filtr powietrza", ""),
    ("Fuel Filter", "Kraftstofffilter", "Filtre à carburant", "Filtr paliwa", ""),
    ("Cabin Air Filter", "Innenraumfilter", "Filtre d'habitacle", "Filtr kabinowy", ""),
    ("Brake Pad Set", "Bremsbelagsatz, Scheibenbremse", "Jeu de plaquettes de frein", "Klocki hamulcowe", "axle"),
    ("Brake Disc", "Bremsscheibe", "Disque de frein", "Tarcza hamulcowa", "axle"),
    ("Brake Drum", "Bremstrommel", "Tambour de frein", "Bęben hamulcowy", ""),
    ("Brake Shoe Set", "Bremsbackensatz", "Jeu de mâchoires de frein", "Szczęki hamulcowe", ""),
    ("Brake Caliper", "Bremssattel", "Étrier de frein", "Zacisk hamulca", "corner"),
    ("Brake Hose", "Bremsschlauch", "Flexible de frein", "Przewód hamulcowy", "axle"),
    ("Wheel Brake Cylinder", "Radbremszylinder", "Cylindre de roue", "Cylinderek hamulcowy", ""),
    ("Brake Master Cylinder", "Hauptbremszylinder", "Maître-cylindre de frein", "Pompa hamulcowa", ""),
    ("Wheel Bearing Kit", "Radlagersatz", "Kit de roulement de roue", "Łożysko koła, zestaw", "axle"),
    ("Shock Absorber", "Stoßdämpfer", "Amortisseur", "Amortyzator", "axle"),
    ("Coil Spring", "Fahrwerksfeder", "Ressort de suspension", "Sprężyna zawieszenia", "axle"),
    ("Control Arm", "Lenker, Radaufhängung", "Bras de liaison, suspension de roue", "Wahacz", "corner"),
    ("Tie Rod End", "Spurstangenkopf", "Rotule de barre de connexion", "Końcówka drążka kierowniczego", "side"),
    ("Inner Tie Rod", "Axialgelenk, Spurstange", "Rotule axiale, barre de connexion", None, "side"),
    ("Ball Joint", "Trag-/Führungsgelenk", "Rotule de suspension", "Sworzeń wahacza", "side"),
    ("Stabiliser Link", "Stange/Strebe, Stabilisator", "Entretoise/tige, stabilisateur", "Łącznik stabilizatora", "axle"),
    ("Anti-Roll Bar Bush", "Lagerung, Stabilisator", "Suspension, stabilisateur", None, "axle"),
    ("Top Strut Mount", "Federbeinstützlager", "Coupelle de suspension", "Poduszka amortyzatora", "axle"),
    ("Timing Belt Kit", "Zahnriemensatz", "Kit de distribution", "Zestaw paska rozrządu", ""),
    ("Timing Chain Kit", "Steuerkettensatz", "Kit de chaîne de distribution", "Zestaw łańcucha rozrządu", ""),
    ("V-Ribbed Belt", "Keilrippenriemen", "Courroie trapézoïdale à nervures", "Pasek wielorowkowy", ""),
    ("Belt Tensioner", "Spannrolle, Keilrippenriemen", "Galet tendeur, courroie", "Napinacz paska", ""),
    ("Water Pump", "Wasserpumpe", "Pompe à eau", "Pompa wody", ""),
    ("Thermostat", "Thermostat, Kühlmittel", "Thermostat d'eau", "Termostat", ""),
    ("Radiator", "Kühler, Motorkühlung", "Radiateur, refroidissement du moteur", "Chłodnica", ""),
    ("Intercooler", "Ladeluftkühler", "Intercooler, échangeur", "Intercooler", ""),
    ("Radiator Fan", "Lüfter, Motorkühlung", "Ventilateur, refroidissement du moteur", "Wentylator chłodnicy", ""),
    ("Spark Plug", "Zündkerze", "Bougie d'allumage", "Świeca zapłonowa", ""),
    ("Glow Plug", "Glühkerze", "Bougie de préchauffage", "Świeca żarowa", ""),
    ("Ignition Coil", "Zündspule", "Bobine d'allumage", "Cewka zapłonowa", ""),
    ("Alternator", "Generator", "Alternateur", "Alternator", ""),
    ("Starter Motor", "Starter", "Démarreur", "Rozrusznik", ""),
    ("Clutch Kit", "Kupplungssatz", "Kit d'embrayage", "Zestaw sprzęgła", ""),
    ("Dual-Mass Flywheel", "Zweimassenschwungrad", "Volant moteur bi-masse", "Koło dwumasowe", ""),
    ("Clutch Release Bearing", "Ausrücklager", "Butée de débrayage", "Łożysko oporowe", ""),
    ("Drive Shaft", "Antriebswelle", "Arbre de transmission", "Półoś napędowa", "side"),
    ("CV Joint Kit", "Gelenksatz, Antriebswelle", "Jeu de joints, arbre de transmission", "Przegub napędowy", "side"),
    ("CV Boot Kit", "Faltenbalgsatz, Antriebswelle", "Jeu de joints-soufflets, arbre de transmission", "Osłona przegubu", ""),
    ("Exhaust Silencer", "Endschalldämpfer", "Silencieux arrière", "Tłumik końcowy", ""),
    ("Catalytic Converter", "Katalysator", "Catalyseur", "Katalizator", ""),
    ("Lambda Sensor", "Lambdasonde", "Sonde lambda", "Sonda lambda", ""),
    ("ABS Sensor", "Sensor, Raddrehzahl", "Capteur, vitesse de roue", "Czujnik ABS", "corner"),
    ("Brake Pad Wear Sensor", "Warnkontakt, Bremsbelagverschleiß", "Contact d'avertissement, usure des plaquettes", None, "axle"),
    ("Wiper Blade", "Wischblatt", "Balai d'essuie-glace", "Pióro wycieraczki", ""),
    ("Headlight", "Hauptscheinwerfer", "Projecteur principal", "Reflektor", "side"),
    ("Tail Light", "Heckleuchte", "Feu arrière", "Lampa tylna", "side"),
    ("Fog Light", "Nebelscheinwerfer", "Projecteur antibrouillard", "Halogen przeciwmgielny", "side"),
    ("Bulb, Headlight", "Glühlampe, Hauptscheinwerfer", "Ampoule, projecteur principal", "Żarówka reflektora", ""),
    ("Engine Mounting", "Lagerung, Motor", "Support moteur", "Poduszka silnika", "side"),
    ("Gasket, Cylinder Head", "Dichtung, Zylinderkopf", "Joint de culasse", "Uszczelka głowicy", ""),
    ("Gasket, Cylinder Head Cover", "Dichtung, Zylinderkopfhaube", "Joint de cache culbuteurs", "Uszczelka pokrywy zaworów", ""),
    ("Fuel Pump", "Kraftstoffpumpe", "Pompe à carburant", "Pompa paliwa", ""),
    ("Injector Nozzle", "Einspritzdüse", "Injecteur", "Wtryskiwacz", ""),
    ("Turbocharger", "Lader, Aufladung", "Turbocompresseur", "Turbosprężarka", ""),
    ("Gas Spring, Boot", "Gasfeder, Koffer-/Laderaum", "Vérin de hayon, de coffre", "Sprężyna gazowa klapy", "side"),
    ("Outside Mirror", "Außenspiegel", "Rétroviseur extérieur", "Lusterko zewnętrzne", "side"),
    ("Window Regulator", "Fensterheber", "Lève-vitre", "Podnośnik szyby", "corner"),
    ("Air Mass Sensor", "Luftmassenmesser", "Débitmètre de masse d'air", "Przepływomierz", ""),
    ("Starter Battery", "Starterbatterie", "Batterie de démarrage", "Akumulator", ""),
    ("Shaft Seal, Crankshaft", "Wellendichtring, Kurbelwelle", "Bague d'étanchéité, vilebrequin", "Uszczelniacz wału korbowego", ""),
    ("Brake Fluid", "Bremsflüssigkeit", "Liquide de frein", "Płyn hamulcowy", ""),
    ("Engine Oil", "Motoröl", "Huile moteur", "Olej silnikowy", ""),
    ("Horn", "Horn", "Avertisseur sonore", "Sygnał dźwiękowy", ""),
    ("Wheel Stud", "Radbolzen", "Goujon de roue", "Szpilka koła", ""),
    ("Door Lock", "Türschloss", "Serrure de porte", "Zamek drzwi", "corner"),
    ("Tailgate Lock", "Heckklappenschloss", "Serrure de hayon", None, ""),
    ("Hydraulic Pump, Steering", "Hydraulikpumpe, Lenkung", "Pompe hydraulique, direction", "Pompa wspomagania", ""),
    ("Steering Rack", "Lenkgetriebe", "Boîtier de direction", "Przekładnia kierownicza", ""),
    ("Wheel Hub", "Radnabe", "Moyeu de roue", "Piasta koła", "axle"),
    ("EGR Valve", "AGR-Ventil", "Vanne EGR", "Zawór EGR", ""),
    ("Throttle Body", "Drosselklappenstutzen", "Boîtier papillon", "Przepustnica", ""),
    ("Crankshaft Sensor", "Impulsgeber, Kurbelwelle", "Capteur d'angle, vilebrequin", "Czujnik położenia wału", ""),
    ("Camshaft Sensor", "Sensor, Nockenwellenposition", "Capteur, position d'arbre à cames", "Czujnik wałka rozrządu", ""),
    ("Coolant Temperature Sensor", "Sensor, Kühlmitteltemperatur", "Sonde de température, liquide de refroidissement", None, ""),
    ("Oil Pressure Switch", "Öldruckschalter", "Manocontact de pression d'huile", "Czujnik ciśnienia oleju", ""),
    ("Expansion Tank, Coolant", "Ausgleichsbehälter, Kühlmittel", "Vase d'expansion, liquide de refroidissement", "Zbiorniczek wyrównawczy", ""),
]

VARIANTS = {
    "": [("", "", "", "")],
    "axle": [("", "", "", ""), (", front axle", ", Vorderachse", ", essieu avant", ", oś przednia"),
             (", rear axle", ", Hinterachse", ", essieu arrière", ", oś tylna")],
    "side": [(", left", ", links", ", gauche", ", lewy"), (", right", ", rechts", ", droite", ", prawy")],
    "corner": [(", front left", ", vorne links", ", avant gauche", ", przód lewy"),
               (", front right", ", vorne rechts", ", avant droit", ", przód prawy"),
               (", rear left", ", hinten links", ", arrière gauche", ", tył lewy"),
               (", rear right", ", hinten rechts", ", arrière droit", ", tył prawy")],
}

# Kits of a part form groups of their own, in the part's variants.
KITS = [
    (("Repair Kit, ", "Reparatursatz, ", "Kit de réparation, ", "Zestaw naprawczy, "),
     ["Brake Caliper", "Brake Master Cylinder", "Wheel Brake Cylinder", "Control Arm", "Ball Joint", "Steering Rack",
      "Drive Shaft", "Window Regulator", "Door Lock", "Alternator", "Starter Motor", "Hydraulic Pump, Steering",
      "Water Pump", "Turbocharger", "Injector Nozzle", "Fuel Pump", "Thermostat", "Top Strut Mount"]),
    (("Accessory Kit, ", "Zubehörsatz, ", "Kit d'accessoires, ", "Zestaw akcesoriów, "),
     ["Brake Pad Set", "Brake Shoe Set", "Brake Disc", "Exhaust Silencer", "Catalytic Converter", "Clutch Kit",
      "Timing Belt Kit", "Wheel Hub", "Shock Absorber", "Coil Spring", "Engine Mounting", "Headlight"]),
    (("Bolt Kit, ", "Schraubensatz, ", "Jeu de vis, ", "Zestaw śrub, "),
     ["Gasket, Cylinder Head", "Dual-Mass Flywheel", "Control Arm", "Drive Shaft", "Brake Caliper", "Wheel Hub",
      "Turbocharger", "Exhaust Silencer"]),
    (("Sensor Cable, ", "Verbindungskabel, ", "Câble de connexion, ", "Przewód czujnika, "),
     ["ABS Sensor", "Brake Pad Wear Sensor", "Lambda Sensor", "Crankshaft Sensor", "Camshaft Sensor",
      "Coolant Temperature Sensor", "Oil Pressure Switch", "Air Mass Sensor", "Glow Plug", "Ignition Coil"]),
]

# A few groups carry a second German text, as catalogues do.
SECOND_TEXTS = {"Oil Filter": "Ölfilter, Anschraubfilter", "Spark Plug": "Zündkerze, Motor",
                "Wiper Blade": "Wischblatt, Frontscheibe"}


def escape(text):
    for a, b in (("\\", "\\\\"), ("'", "\\'"), ('"', '\\"'), ("\0", "\\0"), ("\n", "\\n"), ("\r", "\\r"),
                 ("\x1a", "\\Z")):
        text = text.replace(a, b)
    return text


def clean_code(code):
    return re.sub(r"[^0-9A-Za-z]", "", code).upper()


def write(name, lines):
    (OUT / name).write_bytes(b"\xef\xbb\xbf" + "".join(line + "\r\n" for line in lines).encode("utf-8"))


def batched(prefix, tuples):
    lines = []
    for i in range(0, len(tuples), BATCH):
        lines.append(prefix + ",".join(tuples[i:i + BATCH]) + ";")
    return lines


def part_number(rng, pattern):
    def repl(m):
        kind, n = m.group(1), int(m.group(2))
        if kind == "d":
            return "".join(rng.choice("0123456789") for _ in range(n))
        return "".join(rng.choice("ABCDEFGHJKLMNPRSTUVWXZ") for _ in range(n))
    return re.sub(r"\{([dL])(\d)\}", repl, pattern)


def main():
    rng = random.Random(20251104)
    OUT.mkdir(exist_ok=True)

    version_line = ("INSERT INTO `PARAMETERS` (`name`, `value`) VALUES ('DB_DATA_VERSION','"
                    + escape(DATA_VERSION) + "'); ")
    write("1-CREATING_DATABASE_AND_TABLES.sql", HEAD + [version_line] + TAIL)

    # The builder's queries order by the numbers as text.
    langs = sorted(LANGUAGES.items(), key=lambda kv: str(kv[0]))
    write("language.sql", ["INSERT INTO `LANGUAGES` (`LNGID`, `NAME`) VALUES "
                           + ",".join("(%d,'%s')" % (i, escape(n)) for i, n in langs) + ";"])

    brands = sorted(BRANDS, key=lambda b: str(b[0]))
    write("suppliers.sql", ["INSERT INTO `SUPPLIERS` (`SUPID`, `BRAND`) VALUES "
                            + ",".join("(%d,'%s')" % (s, escape(n)) for s, n, _ in brands) + ";"])

    groups = []  # (gaid, {lang: [texts]}, weight)
    gaid = 100
    for en, de, fr, pl, kind in TERMS:
        for ven, vde, vfr, vpl in VARIANTS[kind]:
            gaid += rng.choice((1, 2, 3, 7))
            texts = {"en": [en + ven], "de": [de + vde], "fr": [fr + vfr]}
            if pl is not None:
                texts["pl"] = [pl + vpl]
            if not ven and en in SECOND_TEXTS:
                texts["de"].append(SECOND_TEXTS[en])
            groups.append((gaid, texts, 3 if not ven else 1))
    by_name = {t[0]: t for t in TERMS}
    for (ken, kde, kfr, kpl), names in KITS:
        for name in names:
            en, de, fr, pl, kind = by_name[name]
            for ven, vde, vfr, vpl in VARIANTS[kind]:
                gaid += rng.choice((1, 2, 3, 7))
                texts = {"en": [ken + en + ven], "de": [kde + de + vde], "fr": [kfr + fr + vfr]}
                if pl is not None and rng.random() < 0.7:
                    texts["pl"] = [kpl + pl + vpl]
                groups.append((gaid, texts, 1))

    rows = []  # (gaid, lngid, name)
    for g, texts, _ in groups:
        for lang, names in texts.items():
            for name in names:
                rows.append((g, LNG[lang], name))
    rows.sort(key=lambda r: (str(r[0]), str(r[1])))
    write("tradegroups.sql", batched("INSERT INTO `TRADEGROUPS` (`GAID`, `LNGID`, `TEXTID`) VALUES ",
                                     ["(%d,%d,%d)" % (g, l, n) for n, (g, l, _) in enumerate(rows, 1)]))
    write("datatext.sql", batched("INSERT INTO `DATATEXT` (`TEXTID`, `NAME`) VALUES ",
                                  ["(%d,'%s')" % (n, escape(t)) for n, (_, _, t) in enumerate(rows, 1)]))

    gaids = [g for g, _, _ in groups]
    weights = [w for _, _, w in groups]
    parts = []
    seen = set()
    artid = 100000
    for supid, _, pattern in BRANDS:
        # Each brand covers its own share of the groups.
        own = rng.sample(range(len(gaids)), k=rng.randint(25, 70))
        for _ in range(rng.randint(60, 200)):
            artid += rng.randint(1, 9)
            if parts and rng.random() < 0.04:
                code = rng.choice(parts)[3]  # the same number under another brand
            else:
                code = part_number(rng, pattern)
            if (supid, code) in seen:
                continue
            seen.add((supid, code))
            g = gaids[rng.choices(own, weights=[weights[i] for i in own])[0]]
            parts.append((artid, supid, g, code))
    parts.sort(key=lambda p: str(p[0]))
    write("parts.sql", batched("INSERT INTO `PARTS` (`ARTID`, `SUPID`, `GAID`, `CODEPART`, `FREECODEPART`) VALUES ",
                               ["(%d,%d,%d,'%s','%s')" % (a, s, g, escape(c), escape(clean_code(c)))
                                for a, s, g, c in parts]))
    print("%d brands, %d trade groups (%d texts), %d parts" % (len(BRANDS), len(groups), len(rows), len(parts)))


if __name__ == "__main__":
    main()
