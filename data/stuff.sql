-- The companion program's database: currencies.
CREATE TABLE NOMISMATA (
  ID      INTEGER PRIMARY KEY,
  Symbolo TEXT DEFAULT ''
);
