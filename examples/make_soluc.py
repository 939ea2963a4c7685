"""Builds SOLUC.DBF, the finished timetable the timetabling product would
leave for the sample school, so the import has something real to write out.

Run with Debian's python3 (python3-dbf):  /usr/bin/python3 make_soluc.py OUT.DBF
Every lesson of teba_asignatgrupo.txt gets its weekly hours (the whole part
of teba_asignatcurso.txt's for the group's level and course, 1 when the file
has none) placed greedily in the 35 slots of the week with no group, teacher
or room used twice at once and a subject at most once a day per group.
Lessons that do not fit are left with day 0, as the product leaves the
lessons it could not place. Deterministic: the same files give the same table.
"""
import os
import sys

import dbf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_sample  # noqa: E402  (the departments of the subjects)

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample-school")
SPECIAL_ROOMS = {"EF": ["GIM", "PIS"], "EFB": ["GIM", "PIS"], "FYQ": ["LFQ"], "FIS": ["LFQ"],
                 "QUI": ["LFQ"], "BYG": ["LAB"], "BIO": ["LAB"], "MUS": ["MUS"], "EPV": ["PLA"],
                 "DTE": ["PLA"], "TEC": ["TAL"], "DIG": ["INF"]}
HOME_ROOMS = {"1A": "A11", "1B": "A12", "1C": "A13", "2A": "A21", "2B": "A22", "2C": "A23",
              "3A": "A31", "3B": "A32", "4A": "A41", "4B": "A42", "1BA": "B11", "2BA": "B21"}


def data_lines(name):
    with open(os.path.join(HERE, name), encoding="cp1252") as f:
        return [line.rstrip("\r\n") for line in f if line.startswith("1")]


def main():
    teachers_by_department = {}
    seen = set()
    for line in data_lines("teba_prof.txt"):
        code, department = line[1:5].strip(), line[95:145].strip()
        if code.upper() in seen:
            continue
        seen.add(code.upper())
        teachers_by_department.setdefault(department, []).append(code)
    subject_department = {code: department for code, _, _, department in make_sample.SUBJECTS}

    groups = {}
    for line in data_lines("teba_grupo.txt"):
        groups[line[11:15].strip()] = (line[15:18].strip(), line[21:24].strip())
    hours = {}
    for line in data_lines("teba_asignatcurso.txt"):
        key = (line[1:4].strip(), line[7:10].strip(), line[23:27].strip())
        hours.setdefault(key, int(float(line[27:33].strip().replace(",", ".") or "1")))

    next_teacher = {}
    lessons = []
    for line in data_lines("teba_asignatgrupo.txt"):
        group, subject = line[11:15].strip(), line[15:19].strip()
        level, course = groups[group]
        staff = teachers_by_department[subject_department[subject]]
        turn = next_teacher.get(subject, 0)
        next_teacher[subject] = turn + 1
        teacher = staff[turn % len(staff)]
        for _ in range(hours.get((level, course, subject), 1)):
            lessons.append((group, subject, teacher))

    busy = set()
    rows = []
    for group, subject, teacher in lessons:
        placed = False
        for period in range(1, 8):
            for day in range(1, 6):
                if (day, group, subject) in busy:
                    continue
                for room in SPECIAL_ROOMS.get(subject, [HOME_ROOMS[group]]):
                    keys = {(day, period, "g", group), (day, period, "t", teacher), (day, period, "r", room)}
                    if busy.isdisjoint(keys):
                        busy |= keys | {(day, group, subject)}
                        rows.append((day, period, teacher, group, subject, room))
                        placed = True
                        break
                if placed:
                    break
            if placed:
                break
        if not placed:
            rows.append((0, 0, teacher, group, subject, ""))

    table = dbf.Table(sys.argv[1],
                      "DIA N(1,0); HORA N(2,0); PROF C(5); CODGRUPO C(4); ASIG C(4); AULA C(4)",
                      dbf_type="db3", codepage="cp1252")
    table.open(dbf.READ_WRITE)
    for row in sorted(rows, key=lambda r: (r[0] == 0, r[0], r[1], r[3])):
        table.append(row)
    table.close()
    print(f"{len(rows)} lessons, {sum(1 for r in rows if r[0] == 0)} left unplaced")


if __name__ == "__main__":
    main()
