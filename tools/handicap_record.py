#!/usr/bin/env python3
"""A golfer's Handicap Index worked out apart from Larkspin, to check the program against.

    tools/handicap_record.py FOLDER TODAY [--trace] > record.csv

reads lks.dat, courses.dat and ratings.dat in FOLDER and writes the scoring record as
`larkspin --handicap` does: one CSV row per counted round, oldest first. TODAY is YYYY-MM-DD.
With --trace, each round's working goes to standard error.

It follows the World Handicap System (Rules 3 and 5) as Larkspin applies them, with exact
fractions throughout; it shares no code and no arithmetic with the program. Golf rounds to a
tenth with halves going up (-5.65 is -5.6), and the Index is revised once a day: every round of a
day is played off the Index in force when the day began.
"""

import datetime
import math
import sys
from fractions import Fraction

HOLES = range(1, 19)


def read_records(path):
    """The records of a Larkspin data file: dicts of key to value, a new one at each COURSE."""
    records = []
    try:
        with open(path, "rb") as f:
            data = f.read()
    except FileNotFoundError:
        return records
    for raw in data.split(b"\n"):
        line = raw.rstrip(b" \t\r\v\f").decode("utf-8")
        key, _, value = line.partition("=")
        if key == "COURSE":
            records.append({})
        if records and key != "CREATOR":
            records[-1][key] = value
    return [r for r in records if r.get("COURSE")]


def whole(text, low, high):
    """A text of digits alone between low and high, else None."""
    if not text or not text.isascii() or not text.isdigit():
        return None
    number = int(text)
    return number if low <= number <= high else None


def real_day(text):
    if len(text) != 10 or text[4] != "-" or text[7] != "-":
        return None
    try:
        return datetime.date(int(text[:4]), int(text[5:7]), int(text[8:]))
    except ValueError:
        return None


def rating_of(record):
    """(rating, slope, stroke indexes) of a ratings.dat record, or None when not valid."""
    text = record.get("RATING", "")
    head, dot, tail = text.partition(".")
    if not (1 <= len(head) <= 2 and head.isdigit()):
        return None
    if dot and not (len(tail) == 1 and tail.isdigit()):
        return None
    rating = Fraction(text)
    if not Fraction(40) <= rating <= Fraction(90):
        return None
    slope = whole(record.get("SLOPE", ""), 55, 155)
    indexes = [whole(record.get("SI%d" % h, ""), 1, 18) for h in HOLES]
    if slope is None or sorted(i or 0 for i in indexes) != list(HOLES):
        return None
    return rating, slope, indexes


def tenths(x):
    """x to one decimal, halves up: 5.65 is 5.7 and -5.65 is -5.6."""
    return Fraction(math.floor(x * 10 + Fraction(1, 2)), 10)


def shown(x):
    """A number of tenths written with one decimal, as the CSV has it."""
    sign = "-" if x < 0 else ""
    n = abs(x) * 10
    assert n.denominator == 1
    n = int(n)
    return "%s%d.%d" % (sign, n // 10, n % 10)


def strokes_received(ch, si):
    if ch >= 0:
        return ch // 18 + (1 if si <= ch % 18 else 0)
    m = -ch
    return -(m // 18) - (1 if si > 18 - m % 18 else 0)


def most_on_hole(par, got, ch):
    """Net double bogey; par + 5 where a course handicap above 54 gives 4 strokes or more."""
    if ch > 54 and got >= 4:
        return par + 5
    return par + 2 + got


# Count of differentials: (how many lowest, adjustment).
TABLE = {3: (1, -2), 4: (1, -1), 5: (1, 0), 6: (2, -1), 7: (2, 0), 8: (2, 0), 9: (3, 0),
         10: (3, 0), 11: (3, 0), 12: (4, 0), 13: (4, 0), 14: (4, 0), 15: (5, 0), 16: (5, 0),
         17: (6, 0), 18: (6, 0), 19: (7, 0), 20: (8, 0)}


def lowest_positions(diffs):
    """Positions (in diffs, oldest first) of those the Index is made of; ties go to the newer."""
    take, _ = TABLE[len(diffs)]
    order = sorted(range(len(diffs)), key=lambda p: (diffs[p], -p))
    return sorted(order[:take])


def same_day_order(c):
    """Rounds of one day by what they hold: the course's name as bytes, then the strokes of
    holes 1 to 18, a hole not played before any number."""
    return (c["course"].encode("utf-8"), [s or 0 for s in c["played"]])


def low_index(day_ends, day):
    """The lowest Index at the end of the scoring days from 365 days before `day` up to the day
    before it, and of the one in force when that stretch began; None when there is none."""
    start = day - datetime.timedelta(days=365)
    lows = [index for d, index in day_ends if start <= d < day]
    before = [index for d, index in day_ends if d < start]
    if before:
        lows.append(before[-1])
    lows = [x for x in lows if x is not None]
    return min(lows) if lows else None


def capped(index, low):
    """(the Index after the soft and hard caps, "SOFT", "HARD" or "")."""
    if index - low <= 3:
        return index, ""
    soft = low + 3 + tenths((index - low - 3) / 2)
    if soft > low + 5:
        return low + 5, "HARD"
    return soft, "SOFT" if soft < index else ""


def main(argv):
    trace = "--trace" in argv
    args = [a for a in argv if a != "--trace"]
    folder, today = args[0], real_day(args[1])

    rounds = read_records(folder + "/lks.dat")
    # Each round and course read goes on top of its list: the file's last one is the top row.
    pars = {}
    for course in read_records(folder + "/courses.dat"):
        pars[course["COURSE"]] = [whole(course.get("S%d" % h, ""), 3, 6) for h in HOLES]
    ratings = {}
    for record in read_records(folder + "/ratings.dat"):
        ratings.setdefault(record["COURSE"], rating_of(record))

    counted = []
    for r in rounds:
        day = real_day(r.get("DATE", ""))
        course = r["COURSE"]
        played = [whole(r.get("S%d" % h, ""), 1, 30) for h in HOLES]
        if day is None or day > today:
            why = "no date"
        elif course not in pars or None in pars[course]:
            why = "no pars"
        elif ratings.get(course) is None:
            why = "no rating"
        elif sum(s is not None for s in played) < 14:
            why = "fewer than 14 holes"
        else:
            why = None
        if why:
            if trace:
                print("not counted: %s %s: %s" % (r.get("DATE", ""), course, why), file=sys.stderr)
            continue
        counted.append({"day": day, "course": course, "played": played})
    # Oldest first; on one day, by what the rounds hold, never by where they stand in the list.
    counted.sort(key=lambda c: (c["day"], same_day_order(c)))

    day_ends = []  # (day, the Index at its end), oldest first
    for n, c in enumerate(counted):
        if n > 0 and counted[n - 1]["day"] != c["day"]:
            day_ends.append((counted[n - 1]["day"], counted[n - 1]["index"]))
        rating, slope, indexes = ratings[c["course"]]
        hole_pars = pars[c["course"]]
        before = day_ends[-1][1] if day_ends else None  # in force when the day began
        ags = 0
        if before is None:
            for s, par in zip(c["played"], hole_pars):
                ags += par if s is None else min(s, par + 5)
            ch = None
        else:
            ch = math.floor(before * slope / 113 + (rating - sum(hole_pars)) + Fraction(1, 2))
            for s, par, si in zip(c["played"], hole_pars, indexes):
                got = strokes_received(ch, si)
                ags += par + got if s is None else min(s, most_on_hole(par, got, ch))
        c["ags"] = ags
        c["diff"] = tenths(Fraction(113, slope) * (ags - rating))
        c["cut"] = Fraction(0)
        esr = Fraction(0)
        if before is not None:
            if before - c["diff"] >= 10:
                esr = Fraction(2)
            elif before - c["diff"] >= 7:
                esr = Fraction(1)
        c["esr"] = esr
        for earlier in counted[max(0, n - 19):n + 1]:
            earlier["cut"] += esr
        recent = [x["diff"] - x["cut"] for x in counted[max(0, n - 19):n + 1]]
        index = None
        c["low"] = None
        c["cap"] = ""
        if len(recent) >= 3:
            used = [recent[p] for p in lowest_positions(recent)]
            index = tenths(sum(used) / len(used)) + TABLE[len(recent)][1]
            plain = min(index, Fraction(54))
            if n + 1 >= 20:
                c["low"] = low_index(day_ends, c["day"])
                if c["low"] is not None:
                    index, c["cap"] = capped(index, c["low"])
            index = min(index, Fraction(54))
            if index == plain:
                c["cap"] = ""
        c["index"] = index
        if trace:
            print("%d %s %-14s CH %s AGS %d diff %s%s index %s%s" % (
                n + 1, c["day"], c["course"], ch, ags, shown(c["diff"]),
                " ESR -%s" % shown(esr) if esr else "", shown(index) if index is not None else "-",
                " %s capped from %s (low %s)" % (c["cap"], shown(plain), shown(c["low"]))
                if c["cap"] else ""), file=sys.stderr)

    last = counted[-20:]
    if len(last) >= 3:
        for p in lowest_positions([x["diff"] - x["cut"] for x in last]):
            last[p]["used"] = True

    out = ["DATE,COURSE,SCORE,ADJUSTED,RATING,SLOPE,DIFFERENTIAL,USED,INDEX,LOW,NOTE"]
    for c in counted:
        rating, slope, _ = ratings[c["course"]]
        name = c["course"]
        if any(ch in name for ch in ',"\r\n'):
            name = '"' + name.replace('"', '""') + '"'
        notes = []
        if c["esr"]:
            notes.append("ESR-" + shown(c["esr"]))
        if c["cap"]:
            notes.append(c["cap"])
        out.append(",".join([
            c["day"].isoformat(), name, str(sum(s for s in c["played"] if s)), str(c["ags"]),
            shown(rating), str(slope), shown(c["diff"] - c["cut"]), "Y" if c.get("used") else "",
            shown(c["index"]) if c["index"] is not None else "",
            shown(c["low"]) if c["low"] is not None else "", ";".join(notes)]))
    sys.stdout.buffer.write(b"\xef\xbb\xbf" + "".join(l + "\r\n" for l in out).encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv[1:])
