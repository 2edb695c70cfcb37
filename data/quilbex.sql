-- The companion program's database: interface language and typed parameters.
-- glossa: the key, then the text of language n at ordinal n + 1.
CREATE TABLE glossa (
  ID        INTEGER PRIMARY KEY,
  greeklish TEXT COLLATE NOCASE NOT NULL,
  ellinika  TEXT DEFAULT '',
  english   TEXT DEFAULT ''
);
CREATE INDEX glossa_greeklish ON glossa (greeklish);
CREATE TABLE pm_boolean    (ID INTEGER PRIMARY KEY, timi BOOLEAN);
CREATE TABLE pm_integer    (ID INTEGER PRIMARY KEY, timi INTEGER);
CREATE TABLE pm_single     (ID INTEGER PRIMARY KEY, timi REAL);
CREATE TABLE pm_keimeno20  (ID INTEGER PRIMARY KEY, timi TEXT);
CREATE TABLE pm_keimeno250 (ID INTEGER PRIMARY KEY, timi TEXT);
CREATE TABLE pm_ypomnima   (ID INTEGER PRIMARY KEY, timi TEXT);
