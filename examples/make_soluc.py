"""Builds SOLUC.DBF, the finished timetable the timetabling product would
leave for the sample school, so the import has something real to write out.

Run with Debian's python3 (python3-dbf):  /usr/bin/python3 make_soluc.py OUT.DBF
Every lesson of teba_asignatgrupo.txt gets its weekly hours (whole part of
teba_asignatcurso.txt's, 2 when the file has none) placed greedily in the
30 slots of the week with no group, teacher or room used twice at once.
Lessons that do not fit are left with day 0, as the product leaves the
lessons it could not place.
"""
import os
import sys

import dbf

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample-school")
TEACHERS = {"MAT": "GALM", "LEN": "RUIP", "ING": "MORA", "GEH": "SANC", "BYG": "FERN",
            "FYQ": "JIME", "EF": "NAVA", "TEC": "ROME", "MUS": "VAZQ", "EPV": "HERR",
            "REL": "HERR", "FRA": "MORA"}
ROOMS = {"EF": "GIM", "FYQ": "LAB", "BYG": "LAB"}
HOME_ROOM = {"1A": "A11", "1B": "A12", "2A": "A21", "2B": "A22", "3A": "A21", "4A": "A22"}


def data_lines(name):
    with open(os.path.join(HERE, name), encoding="cp1252") as f:
        return [line.rstrip("\r\n") for line in f if line.startswith("1")]


hours = {}
for line in data_lines("teba_asignatcurso.txt"):
    hours[(line[7:10].strip(), line[23:27].strip())] = int(float(line[27:33].strip().replace(",", ".")))

lessons = []
for line in data_lines("teba_asignatgrupo.txt"):
    group, subject = line[11:15].strip(), line[15:19].strip()
    for _ in range(hours.get((group[0], subject), 2)):
        lessons.append((group, subject))

busy = set()
rows = []
for group, subject in lessons:
    teacher = TEACHERS[subject]
    room = ROOMS.get(subject, HOME_ROOM[group])
    for period in range(1, 7):
        placed = False
        for day in range(1, 6):
            keys = {(day, period, "g", group), (day, period, "t", teacher), (day, period, "r", room)}
            if busy.isdisjoint(keys) and (day, group, subject) not in busy:
                busy |= keys | {(day, group, subject)}
                rows.append((day, period, teacher, group, subject, room))
                placed = True
                break
        if placed:
            break
    else:
        rows.append((0, 0, teacher, group, subject, room))

table = dbf.Table(sys.argv[1], "DIA N(1,0); HORA N(2,0); PROF C(5); CODGRUPO C(4); ASIG C(4); AULA C(4)",
                  dbf_type="db3", codepage="cp1252")
table.open(dbf.READ_WRITE)
for row in sorted(rows, key=lambda r: (r[0] == 0, r[0], r[1], r[3])):
    table.append(row)
table.close()
print(f"{len(rows)} lessons, {sum(1 for r in rows if r[0] == 0)} left unplaced")
