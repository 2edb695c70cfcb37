-- The companion program's database: interface language and typed parameters.
-- glossa: the key, then the text of language n at ordinal n + 1.
CREATE TABLE glossa (
  ID        INTEGER PRIMARY KEY,
  greeklish TEXT COLLATE NOCASE NOT NULL,
  ellinika  TEXT DEFAULT '',
  english   TEXT DEFAULT ''
);
CREATE INDEX glossa_greeklish ON glossa (greeklish);

-- Keys compare without regard to letter case, Greek and accented letters included.
-- folded_glossa_greeklish holds each row's greeklish in capitals (a-z, U+00E0-U+00FF and Greek letters mapped,
-- everything else as it is), kept by the triggers below with built-in functions only (each
-- step runs where its letters occur), so that any SQLite reader or writer, the sqlite3 tool
-- included, keeps it right. The program looks greeklish up through its index.
CREATE TABLE folded_glossa_greeklish (ID INTEGER PRIMARY KEY, folded TEXT);
CREATE INDEX folded_glossa_greeklish_folded ON folded_glossa_greeklish (folded);
-- A row that enters the folded table is put in capitals there.
CREATE TRIGGER folded_glossa_greeklish_filled AFTER INSERT ON folded_glossa_greeklish BEGIN
  UPDATE folded_glossa_greeklish SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'a','A'),'b','B'),'c','C'),'d','D'),'e','E'),'f','F'),'g','G'),'h','H'),'i','I'),'j','J'),'k','K'),'l','L'),'m','M')
    WHERE ID = new.ID AND folded GLOB '*[a-m]*';
  UPDATE folded_glossa_greeklish SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'n','N'),'o','O'),'p','P'),'q','Q'),'r','R'),'s','S'),'t','T'),'u','U'),'v','V'),'w','W'),'x','X'),'y','Y'),'z','Z')
    WHERE ID = new.ID AND folded GLOB '*[n-z]*';
  UPDATE folded_glossa_greeklish SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'à','À'),'á','Á'),'â','Â'),'ã','Ã'),'ä','Ä'),'å','Å'),'æ','Æ'),'ç','Ç'),'è','È'),'é','É'),'ê','Ê'),'ë','Ë'),'ì','Ì'),'í','Í'),'î','Î'),'ï','Ï')
    WHERE ID = new.ID AND folded GLOB '*[à-ï]*';
  UPDATE folded_glossa_greeklish SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'ð','Ð'),'ñ','Ñ'),'ò','Ò'),'ó','Ó'),'ô','Ô'),'õ','Õ'),'ö','Ö'),'ø','Ø'),'ù','Ù'),'ú','Ú'),'û','Û'),'ü','Ü'),'ý','Ý'),'þ','Þ'),'ÿ','Ÿ')
    WHERE ID = new.ID AND folded GLOB '*[ð-ÿ]*';
  UPDATE folded_glossa_greeklish SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'ά','Ά'),'έ','Έ'),'ή','Ή'),'ί','Ί'),'α','Α'),'β','Β'),'γ','Γ'),'δ','Δ'),'ε','Ε'),'ζ','Ζ'),'η','Η'),'θ','Θ'),'ι','Ι'),'κ','Κ'),'λ','Λ'),'μ','Μ'),'ν','Ν')
    WHERE ID = new.ID AND folded GLOB '*[ά-ν]*';
  UPDATE folded_glossa_greeklish SET folded = replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(folded,'ξ','Ξ'),'ο','Ο'),'π','Π'),'ρ','Ρ'),'ς','Σ'),'σ','Σ'),'τ','Τ'),'υ','Υ'),'φ','Φ'),'χ','Χ'),'ψ','Ψ'),'ω','Ω'),'ϊ','Ϊ'),'ϋ','Ϋ'),'ό','Ό'),'ύ','Ύ'),'ώ','Ώ')
    WHERE ID = new.ID AND folded GLOB '*[ξ-ώ]*';
END;
CREATE TRIGGER glossa_greeklish_inserted AFTER INSERT ON glossa BEGIN
  INSERT OR REPLACE INTO folded_glossa_greeklish (ID, folded) VALUES (new.ID, new.greeklish);
END;
CREATE TRIGGER glossa_greeklish_updated AFTER UPDATE OF ID, greeklish ON glossa BEGIN
  DELETE FROM folded_glossa_greeklish WHERE ID = old.ID;
  INSERT OR REPLACE INTO folded_glossa_greeklish (ID, folded) VALUES (new.ID, new.greeklish);
END;
CREATE TRIGGER glossa_greeklish_deleted AFTER DELETE ON glossa BEGIN
  DELETE FROM folded_glossa_greeklish WHERE ID = old.ID;
END;
CREATE TABLE pm_boolean    (ID INTEGER PRIMARY KEY, timi BOOLEAN);
CREATE TABLE pm_integer    (ID INTEGER PRIMARY KEY, timi INTEGER);
CREATE TABLE pm_single     (ID INTEGER PRIMARY KEY, timi REAL);
CREATE TABLE pm_keimeno20  (ID INTEGER PRIMARY KEY, timi TEXT);
CREATE TABLE pm_keimeno250 (ID INTEGER PRIMARY KEY, timi TEXT);
CREATE TABLE pm_ypomnima   (ID INTEGER PRIMARY KEY, timi TEXT);
