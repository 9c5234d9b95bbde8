#!/usr/bin/env python3
"""Builds the sample database from the JSON files of Debian's iso-codes package.

Tables (each with a code, a name and a third column, the shape of a good drop-down):
  countries(code, name, numeric, official_name)   ISO 3166-1; official_name is NULL when the
                                                  standard gives none
  currencies(code, name, numeric)                 ISO 4217
  languages(code, name, scope, type)              ISO 639-3
Views (stored queries):
  countries_by_name(name, code, numeric)          countries ordered by name
  living_languages(code, name, scope)             languages still spoken
"""

import argparse
import json
import os
import sqlite3
import sys

SCHEMA = """
CREATE TABLE countries (
    code TEXT PRIMARY KEY,
    name TEXT NOT NULL,
    numeric INTEGER NOT NULL,
    official_name TEXT
);
CREATE TABLE currencies (
    code TEXT PRIMARY KEY,
    name TEXT NOT NULL,
    numeric INTEGER NOT NULL
);
CREATE TABLE languages (
    code TEXT PRIMARY KEY,
    name TEXT NOT NULL,
    scope TEXT NOT NULL,
    type TEXT NOT NULL
);
CREATE VIEW countries_by_name AS
    SELECT name, code, numeric FROM countries ORDER BY name;
CREATE VIEW living_languages AS
    SELECT code, name, scope FROM languages WHERE type = 'L' ORDER BY name;
"""


def load(json_dir, file_name, key):
    with open(os.path.join(json_dir, file_name), encoding="utf-8") as f:
        return json.load(f)[key]


def rows(json_dir):
    countries = [
        (c["alpha_2"], c["name"], int(c["numeric"]), c.get("official_name"))
        for c in load(json_dir, "iso_3166-1.json", "3166-1")
    ]
    currencies = [
        (c["alpha_3"], c["name"], int(c["numeric"]))
        for c in load(json_dir, "iso_4217.json", "4217")
    ]
    languages = [
        (c["alpha_3"], c["name"], c["scope"], c["type"])
        for c in load(json_dir, "iso_639-3.json", "639-3")
    ]
    return sorted(countries), sorted(currencies), sorted(languages)


def build(json_dir, output):
    countries, currencies, languages = rows(json_dir)
    # Written beside the target and renamed, so that a failed run never leaves half a database.
    partial = output + ".partial"
    if os.path.exists(partial):
        os.remove(partial)
    db = sqlite3.connect(partial)
    try:
        db.executescript(SCHEMA)
        db.executemany("INSERT INTO countries VALUES (?, ?, ?, ?)", countries)
        db.executemany("INSERT INTO currencies VALUES (?, ?, ?)", currencies)
        db.executemany("INSERT INTO languages VALUES (?, ?, ?, ?)", languages)
        db.commit()
    finally:
        db.close()
    os.replace(partial, output)
    return len(countries), len(currencies), len(languages)


def sql_value(value):
    if value is None:
        return "NULL"
    if isinstance(value, int):
        return str(value)
    return "'" + value.replace("'", "''") + "'"


def write_sql(json_dir, output):
    """The same tables as an SQL script for a database server (PostgreSQL, say)."""
    countries, currencies, languages = rows(json_dir)
    with open(output, "w", encoding="utf-8") as f:
        f.write("BEGIN;\n" + SCHEMA)
        for table, table_rows in (("countries", countries), ("currencies", currencies),
                                  ("languages", languages)):
            for row in table_rows:
                f.write("INSERT INTO %s VALUES (%s);\n"
                        % (table, ", ".join(sql_value(v) for v in row)))
        f.write("COMMIT;\n")
    return len(countries), len(currencies), len(languages)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--json-dir", default="/usr/share/iso-codes/json")
    parser.add_argument("--output", required=True)
    parser.add_argument("--sql", action="store_true",
                        help="write an SQL script for a database server instead of a file")
    args = parser.parse_args()
    counts = (write_sql if args.sql else build)(args.json_dir, args.output)
    print("%s: %d countries, %d currencies, %d languages" % ((args.output,) + counts))
    return 0


if __name__ == "__main__":
    sys.exit(main())
