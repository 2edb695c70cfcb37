-- Stock database: materials and suppliers. Column order is the order that
-- "select * from protesyles" delivers and the lists read by position.
-- Texts compare without regard to letter case where users type them (codes, and the
-- descriptions the list sorts by); BOOLEAN fields hold 1 or 0.
CREATE TABLE protesyles (
  ID           INTEGER PRIMARY KEY,
  Perigrafi    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
  kodikos      TEXT    COLLATE NOCASE DEFAULT '',
  kodikos2     TEXT    DEFAULT '',
  Axia         REAL    NOT NULL DEFAULT 0,
  Axia2        REAL    DEFAULT 0,
  nomisma      INTEGER DEFAULT 0,
  typosyli     INTEGER NOT NULL DEFAULT 0,
  monadametr   INTEGER NOT NULL DEFAULT 0,
  promitheftis INTEGER NOT NULL DEFAULT 0,
  mystock      REAL    NOT NULL DEFAULT 0,
  minstock     REAL    NOT NULL DEFAULT 0,
  maxstock     REAL    NOT NULL DEFAULT 0,
  exeielegxo   BOOLEAN NOT NULL DEFAULT 0,
  stoixeia2    TEXT    DEFAULT '',
  tmpNum1      REAL    NOT NULL DEFAULT 0,
  tmpString1   TEXT    DEFAULT ''
);
CREATE INDEX protesyles_kodikos ON protesyles (kodikos);

-- Suppliers: a fixed set of numbered rows; tmpString1 of the first row is the settings string.
CREATE TABLE Promithf (
  ID         INTEGER PRIMARY KEY,
  Perigrafi  TEXT DEFAULT '',
  stoixeia   TEXT DEFAULT '',
  stoixeia2  TEXT DEFAULT '',
  tmpString1 TEXT DEFAULT ''
);
