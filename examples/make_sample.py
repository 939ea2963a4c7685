"""Writes the sample school's TEBA files into examples/sample-school/.

A secondary school (IES) of Madrid with four years of ESO and two of
Bachillerato: 12 groups, their subjects, teachers, rooms, weekly hours and a
week of 5 days with 7 periods around a break. Code page 1252, CR LF line
ends, header and trailer records as TEBA writes them. Deterministic: running
it again gives the same bytes.

A few gaps a real school's data has are kept on purpose, for the
consistency report to find: music in 1st ESO and religion in 4th ESO have no
weekly hours in the subject-course file, and one teacher code appears twice.
"""
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample-school")
CENTRE = "28040123"
STAMP = "150920250912"

# code, long code, name, department
SUBJECTS = [
    ("MAT", "ESOMAT01", "Matemáticas", "Matemáticas"),
    ("MATA", "ESOMAA01", "Matemáticas Orientadas a las Enseñanzas Académicas", "Matemáticas"),
    ("MATB", "ESOMAB01", "Matemáticas Orientadas a las Enseñanzas Aplicadas", "Matemáticas"),
    ("LEN", "ESOLCL01", "Lengua Castellana y Literatura", "Lengua Castellana y Literatura"),
    ("ING", "ESOING01", "Primera Lengua Extranjera: Inglés", "Inglés"),
    ("FRA", "ESOFRA01", "Segunda Lengua Extranjera: Francés", "Francés"),
    ("GEH", "ESOGEH01", "Geografía e Historia", "Geografía e Historia"),
    ("BYG", "ESOBYG01", "Biología y Geología", "Biología y Geología"),
    ("FYQ", "ESOFYQ01", "Física y Química", "Física y Química"),
    ("EF", "ESOEF01", "Educación Física", "Educación Física"),
    ("MUS", "ESOMUS01", "Música", "Música"),
    ("EPV", "ESOEPV01", "Educación Plástica, Visual y Audiovisual", "Dibujo"),
    ("TEC", "ESOTEC01", "Tecnología y Digitalización", "Tecnología"),
    ("REL", "ESOREL01", "Religión", "Religión"),
    ("VAL", "ESOVAL01", "Atención Educativa", "Filosofía"),
    ("TUT", "ESOTUT01", "Tutoría", "Orientación"),
    ("ECO", "ESOECO01", "Economía y Emprendimiento", "Economía"),
    ("LAT", "ESOLAT01", "Latín", "Latín y Griego"),
    ("DIG", "ESODIG01", "Digitalización", "Tecnología"),
    ("FOP", "ESOFOP01", "Formación y Orientación Personal y Profesional", "Orientación"),
    ("OAE", "ESOOAE01", "Oratoria", "Lengua Castellana y Literatura"),
    ("CCL", "ESOCCL01", "Cultura Clásica", "Latín y Griego"),
    ("FIL", "BACFIL01", "Filosofía", "Filosofía"),
    ("HFI", "BACHFI01", "Historia de la Filosofía", "Filosofía"),
    ("HES", "BACHES01", "Historia de España", "Geografía e Historia"),
    ("LCB", "BACLCL01", "Lengua Castellana y Literatura I y II", "Lengua Castellana y Literatura"),
    ("INB", "BACING01", "Lengua Extranjera: Inglés I y II", "Inglés"),
    ("EFB", "BACEF01", "Educación Física (Bachillerato)", "Educación Física"),
    ("MCI", "BACMAT01", "Matemáticas I y II", "Matemáticas"),
    ("MCS", "BACMCS01", "Matemáticas Aplicadas a las Ciencias Sociales", "Matemáticas"),
    ("FIS", "BACFIS01", "Física", "Física y Química"),
    ("QUI", "BACQUI01", "Química", "Física y Química"),
    ("BIO", "BACBIO01", "Biología", "Biología y Geología"),
    ("DTE", "BACDTE01", "Dibujo Técnico I y II", "Dibujo"),
    ("ECB", "BACECO01", "Economía", "Economía"),
    ("EMP", "BACEMP01", "Empresa y Diseño de Modelos de Negocio", "Economía"),
    ("LAB", "BACLAT01", "Latín I y II", "Latín y Griego"),
    ("GRI", "BACGRI01", "Griego I y II", "Latín y Griego"),
    ("HMC", "BACHMC01", "Historia del Mundo Contemporáneo", "Geografía e Historia"),
    ("GEO", "BACGEO01", "Geografía", "Geografía e Historia"),
]

# code, name, department
TEACHERS = [
    ("GALM", "García López, María", "Matemáticas"),
    ("RUIP", "Ruiz Pérez, Javier", "Lengua Castellana y Literatura"),
    ("MORA", "Moreno Álvarez, Ana", "Inglés"),
    ("SANC", "Sánchez Núñez, Íñigo", "Geografía e Historia"),
    ("FERN", "Fernández Gil, Lucía", "Biología y Geología"),
    ("JIME", "Jiménez Ortega, Raúl", "Física y Química"),
    ("NAVA", "Navarro Díaz, Pilar", "Educación Física"),
    ("ROME", "Romero Castillo, Andrés", "Tecnología"),
    ("VAZQ", "Vázquez Ibáñez, Begoña", "Música"),
    ("HERR", "Herrero Blanco, Óscar", "Dibujo"),
    ("MUÑO", "Muñoz Peña, Concepción", "Matemáticas"),
    ("ALON", "Alonso Güell, Jordi", "Lengua Castellana y Literatura"),
    ("GUTI", "Gutiérrez Saénz, Elena", "Inglés"),
    ("DIEZ", "Díez Cañas, Tomás", "Geografía e Historia"),
    ("CAST", "Castaño Rubio, Nuria", "Francés"),
    ("ORTI", "Ortiz Mañas, Sergio", "Religión"),
    ("DELG", "Delgado Ayuso, Marta", "Filosofía"),
    ("MOLI", "Molina Fuentes, Ramón", "Orientación"),
    ("SUAR", "Suárez Piñeiro, Alba", "Economía"),
    ("PEÑA", "Peña Úbeda, José Ángel", "Latín y Griego"),
    ("CRUZ", "Cruz Villaseñor, Irene", "Matemáticas"),
    ("IGLE", "Iglesias Roldán, Víctor", "Física y Química"),
    ("CANO", "Cano Bermúdez, Sofía", "Biología y Geología"),
    ("PRIE", "Prieto Luján, Gonzalo", "Educación Física"),
    ("LOZA", "Lozano Ferrándiz, Rocío", "Lengua Castellana y Literatura"),
    ("MEND", "Méndez Arnáiz, Hugo", "Inglés"),
    ("GARR", "Garrido Olmo, Carmen", "Geografía e Historia"),
    ("RAMO", "Ramos Echeverría, Ignacio", "Tecnología"),
    ("BENI", "Benítez Zúñiga, Laura", "Dibujo"),
    ("FUEN", "Fuentes Quirós, Adrián", "Matemáticas"),
]
REPEATED_TEACHER = ("galm", "García López, María José", "Matemáticas")  # same code, other case

# code, name
ROOMS = [("A11", "Aula 1.1 (planta baja)"), ("A12", "Aula 1.2 (planta baja)"),
         ("A13", "Aula 1.3 (planta baja)"), ("A21", "Aula 2.1 (primera planta)"),
         ("A22", "Aula 2.2 (primera planta)"), ("A23", "Aula 2.3 (primera planta)"),
         ("A31", "Aula 3.1 (segunda planta)"), ("A32", "Aula 3.2 (segunda planta)"),
         ("A41", "Aula 4.1 (segunda planta)"), ("A42", "Aula 4.2 (segunda planta)"),
         ("B11", "Aula Bachillerato 1"), ("B21", "Aula Bachillerato 2"),
         ("LAB", "Laboratorio de Ciencias"), ("LFQ", "Laboratorio de Física y Química"),
         ("GIM", "Gimnasio"), ("PIS", "Pista polideportiva"), ("MUS", "Aula de Música"),
         ("PLA", "Aula de Plástica"), ("TAL", "Taller de Tecnología"), ("INF", "Aula de Informática")]

# unit, code, level, course, shift, home room
GROUPS = [("1ESO A", "1A", "ESO", "1", "MAÑANA", "A11"), ("1ESO B", "1B", "ESO", "1", "MAÑANA", "A12"),
          ("1ESO C", "1C", "ESO", "1", "MAÑANA", "A13"), ("2ESO A", "2A", "ESO", "2", "MAÑANA", "A21"),
          ("2ESO B", "2B", "ESO", "2", "MAÑANA", "A22"), ("2ESO C", "2C", "ESO", "2", "MAÑANA", "A23"),
          ("3ESO A", "3A", "ESO", "3", "MAÑANA", "A31"), ("3ESO B", "3B", "ESO", "3", "MAÑANA", "A32"),
          ("4ESO A", "4A", "ESO", "4", "MAÑANA", "A41"), ("4ESO B", "4B", "ESO", "4", "MAÑANA", "A42"),
          ("1BAC A", "1BA", "BAC", "1", "MAÑANA", "B11"), ("2BAC A", "2BA", "BAC", "2", "MAÑANA", "B21")]

# Weekly hours per level and course: subject -> hours text as TEBA writes it.
HOURS = {
    ("ESO", "1"): {"MAT": "4", "LEN": "4", "ING": "4", "GEH": "3", "BYG": "3", "EF": "2", "EPV": "2",
                   "FRA": "2", "REL": "1", "TUT": "1", "TEC": "2"},
    ("ESO", "2"): {"MAT": "4", "LEN": "4", "ING": "3", "GEH": "3", "FYQ": "3", "EF": "2", "MUS": "2",
                   "TEC": "2", "FRA": "2", "REL": "1", "TUT": "1", "OAE": "1"},
    ("ESO", "3"): {"MAT": "4", "LEN": "4", "ING": "3", "GEH": "3", "BYG": "2,5", "FYQ": "2,5", "EF": "2",
                   "EPV": "2", "TEC": "2", "REL": "1", "TUT": "1", "CCL": "2"},
    ("ESO", "4"): {"MATA": "4", "MATB": "4", "LEN": "4", "ING": "4", "GEH": "3", "EF": "2", "ECO": "3",
                   "LAT": "3", "DIG": "3", "FOP": "3", "TUT": "1"},
    ("BAC", "1"): {"FIL": "3", "LCB": "4", "INB": "3", "EFB": "2", "MCI": "4", "MCS": "4", "FIS": "4",
                   "BIO": "4", "DTE": "4", "ECB": "4", "LAB": "4", "HMC": "4"},
    ("BAC", "2"): {"HFI": "3", "HES": "3", "LCB": "4", "INB": "3", "MCI": "4", "MCS": "4", "QUI": "4",
                   "BIO": "4", "EMP": "4", "GRI": "4", "GEO": "4"},
}
# Subjects each group takes; MUS in 1st ESO and REL in 4th ESO have no hours
# above, on purpose.
TAKES = {
    ("ESO", "1"): ["MAT", "LEN", "ING", "GEH", "BYG", "EF", "EPV", "MUS", "FRA", "REL", "TUT", "TEC"],
    ("ESO", "2"): ["MAT", "LEN", "ING", "GEH", "FYQ", "EF", "MUS", "TEC", "FRA", "REL", "TUT", "OAE"],
    ("ESO", "3"): ["MAT", "LEN", "ING", "GEH", "BYG", "FYQ", "EF", "EPV", "TEC", "REL", "TUT", "CCL"],
    ("ESO", "4"): ["MATA", "MATB", "LEN", "ING", "GEH", "EF", "ECO", "LAT", "DIG", "FOP", "REL", "TUT"],
    ("BAC", "1"): ["FIL", "LCB", "INB", "EFB", "MCI", "MCS", "FIS", "BIO", "DTE", "ECB", "LAB", "HMC"],
    ("BAC", "2"): ["HFI", "HES", "LCB", "INB", "MCI", "MCS", "QUI", "BIO", "EMP", "GRI", "GEO"],
}
DAYS = "LMXJV"
PERIODS = [("0830", "0925"), ("0925", "1020"), ("1020", "1115"), ("1145", "1240"),
           ("1240", "1335"), ("1335", "1430"), ("1435", "1530")]


def pad(text, width):
    return text + " " * (width - len(text))


def write(name, records):
    upper = name.upper()
    lines = ["0" + pad(upper, 50) + pad(CENTRE, 8) + STAMP]
    lines += records
    lines.append("9" + pad(upper, 50) + pad(CENTRE, 8) + STAMP + str(len(records)))
    with open(os.path.join(OUT, name), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def main():
    os.makedirs(OUT, exist_ok=True)
    write("teba_asignat.txt",
          ["1" + pad(c, 4) + pad(l, 20) + pad(n, 150) for c, l, n, _ in SUBJECTS])
    teachers = TEACHERS[:12] + [REPEATED_TEACHER] + TEACHERS[12:]
    write("teba_prof.txt", ["1" + pad(c, 4) + pad(n, 90) + pad(d, 50) for c, n, d in teachers])
    write("teba_aulas.txt", ["1" + " " * 10 + pad(c, 4) + " " * 70 + pad(n, 100) for c, n in ROOMS])
    write("teba_grupo.txt", ["1" + pad(u, 10) + pad(c, 4) + pad(l, 3) + "   " + pad(k, 3) + " " * 10 + s[:3]
                             for u, c, l, k, s, _ in GROUPS])
    write("teba_asignatgrupo.txt", ["1" + pad(u, 10) + pad(c, 4) + pad(s, 4)
                                    for u, c, l, k, _, _ in GROUPS for s in TAKES[(l, k)]])
    write("teba_asignatcurso.txt", ["1" + pad(l, 3) + "   " + pad(k, 3) + " " * 13 + pad(s, 4) + pad(h, 6)
                                    for (l, k), subjects in HOURS.items() for s, h in subjects.items()])
    slot = 0
    sessions = []
    for day in DAYS:
        for start, end in PERIODS:
            slot += 1
            sessions.append("1   " + "%04d" % slot + day + start + end)
    write("teba_sesiones.txt", sessions)


if __name__ == "__main__":
    main()
