-- Stock database: materials and suppliers. Column order is the order that
-- "select * from protesyles" delivers and the lists read by position.
-- Texts compare without regard to letter case where users type them (codes, and the
-- descriptions the list sorts by); BOOLEAN fields hold 1 or 0; REAL fields are the
-- single-precision figures (stored as the value shown), DOUBLE a double-precision one.
CREATE TABLE protesyles (
  ID           INTEGER PRIMARY KEY,
  Perigrafi    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
  kodikos      TEXT    COLLATE NOCASE DEFAULT '',
  kodikos2     TEXT    DEFAULT '',
  Axia         REAL    NOT NULL DEFAULT 0,
  Axia2        DOUBLE  DEFAULT 0,
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

-- Codes compare without regard to letter case, Greek and accented letters included.
-- folded_protesyles_kodikos holds each row's kodikos in capitals (a-z, U+00E0-U+00FF and Greek letters mapped,
-- everything else as it is), kept by the triggers below with built-in functions only (each
-- step runs where its letters occur), so that any SQLite reader or writer, the sqlite3 tool
-- included, keeps it right. The program looks kodikos up through its index.
CREATE TABLE folded_protesyles_kodikos (ID INTEGER PRIMARY KEY, folded TEXT);
CREATE INDEX folded_protesyles_kodikos_folded ON folded_protesyles_kodikos (folded);
-- A row that enters the folded table is put in capitals there.
CREATE TRIGGER folded_protesyles_kodikos_filled AFTER INSERT ON folded_protesyles_kodikos BEGIN
  UPDATE folded_protesyles_kodikos SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'a','A'),'b','B'),'c','C'),'d','D'),'e','E'),'f','F'),'g','G'),'h','H'),'i','I'),'j','J'),'k','K'),'l','L'),'m','M')
    WHERE ID = new.ID AND folded GLOB '*[a-m]*';
  UPDATE folded_protesyles_kodikos SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'n','N'),'o','O'),'p','P'),'q','Q'),'r','R'),'s','S'),'t','T'),'u','U'),'v','V'),'w','W'),'x','X'),'y','Y'),'z','Z')
    WHERE ID = new.ID AND folded GLOB '*[n-z]*';
  UPDATE folded_protesyles_kodikos SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'à','À'),'á','Á'),'â','Â'),'ã','Ã'),'ä','Ä'),'å','Å'),'æ','Æ'),'ç','Ç'),'è','È'),'é','É'),'ê','Ê'),'ë','Ë'),'ì','Ì'),'í','Í'),'î','Î'),'ï','Ï')
    WHERE ID = new.ID AND folded GLOB '*[à-ï]*';
  UPDATE folded_protesyles_kodikos SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'ð','Ð'),'ñ','Ñ'),'ò','Ò'),'ó','Ó'),'ô','Ô'),'õ','Õ'),'ö','Ö'),'ø','Ø'),'ù','Ù'),'ú','Ú'),'û','Û'),'ü','Ü'),'ý','Ý'),'þ','Þ'),'ÿ','Ÿ')
    WHERE ID = new.ID AND folded GLOB '*[ð-ÿ]*';
  UPDATE folded_protesyles_kodikos SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'ά','Ά'),'έ','Έ'),'ή','Ή'),'ί','Ί'),'α','Α'),'β','Β'),'γ','Γ'),'δ','Δ'),'ε','Ε'),'ζ','Ζ'),'η','Η'),'θ','Θ'),'ι','Ι'),'κ','Κ'),'λ','Λ'),'μ','Μ'),'ν','Ν')
    WHERE ID = new.ID AND folded GLOB '*[ά-ν]*';
  UPDATE folded_protesyles_kodikos SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'ξ','Ξ'),'ο','Ο'),'π','Π'),'ρ','Ρ'),'ς','Σ'),'σ','Σ'),'τ','Τ'),'υ','Υ'),'φ','Φ'),'χ','Χ'),'ψ','Ψ'),'ω','Ω'),'ϊ','Ϊ'),'ϋ','Ϋ'),'ό','Ό'),'ύ','Ύ'),'ώ','Ώ')
    WHERE ID = new.ID AND folded GLOB '*[ξ-ώ]*';
END;
CREATE TRIGGER protesyles_kodikos_inserted AFTER INSERT ON protesyles BEGIN
  INSERT OR REPLACE INTO folded_protesyles_kodikos (ID, folded) VALUES (new.ID, new.kodikos);
END;
CREATE TRIGGER protesyles_kodikos_updated AFTER UPDATE OF ID, kodikos ON protesyles BEGIN
  DELETE FROM folded_protesyles_kodikos WHERE ID = old.ID;
  INSERT OR REPLACE INTO folded_protesyles_kodikos (ID, folded) VALUES (new.ID, new.kodikos);
END;
CREATE TRIGGER protesyles_kodikos_deleted AFTER DELETE ON protesyles BEGIN
  DELETE FROM folded_protesyles_kodikos WHERE ID = old.ID;
END;

-- Suppliers: a fixed set of numbered rows; tmpString1 of the first row is the settings string.
CREATE TABLE Promithf (
  ID         INTEGER PRIMARY KEY,
  Perigrafi  TEXT DEFAULT '',
  stoixeia   TEXT DEFAULT '',
  stoixeia2  TEXT DEFAULT '',
  tmpString1 TEXT DEFAULT ''
);
