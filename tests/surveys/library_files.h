#pragma once
#include <string>

namespace tarvelon::test {

// A survey library as version 1 went out, with one survey of two rows; a later version adds
// an upgrade step and still reads it.
inline std::string version1Library()
{
    return R"(
        CREATE TABLE surveys (id INTEGER PRIMARY KEY, client TEXT NOT NULL, site TEXT NOT NULL,
            tube TEXT NOT NULL, depth REAL, step REAL NOT NULL, guides TEXT NOT NULL, north TEXT NOT NULL,
            readout TEXT NOT NULL, date TEXT NOT NULL, time TEXT NOT NULL, downloaded_at TEXT NOT NULL,
            header_file TEXT NOT NULL, readings_file TEXT NOT NULL,
            UNIQUE (client, site, tube, readout, date, time));
        CREATE TABLE readings (survey_id INTEGER NOT NULL REFERENCES surveys (id) ON DELETE CASCADE,
            depth REAL NOT NULL, reading1 INTEGER, reading2 INTEGER, reading3 INTEGER, reading4 INTEGER,
            reading5 INTEGER, reading6 INTEGER, reading7 INTEGER, reading8 INTEGER,
            PRIMARY KEY (survey_id, depth)) WITHOUT ROWID;
        INSERT INTO surveys VALUES (7, 'C', 'S', 'T', 20.0, 0.5, '2', '+000', '01', '12/03/24', '10:15:00',
            '2024-03-12T10:20:00Z', 'h', 'r');
        INSERT INTO readings VALUES (7, 0.5, 1, -2, NULL, NULL, NULL, NULL, NULL, 9),
            (7, 1.0, 3, 4, NULL, NULL, NULL, NULL, NULL, NULL);
        PRAGMA user_version = 1;)";
}

} // namespace tarvelon::test
